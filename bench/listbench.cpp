// SPDX-License-Identifier: BSD-3-Clause
// ListEx against QListWidget in one process: fill + first frame, memory per item, FindItem,
// and scrolling one page at the end of a short and a long list.
#include "listex.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QIcon>
#include <QListWidget>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QScrollBar>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {

constexpr QSize kSize(257, 209);
constexpr int kScrollReps = 50;
int g_failures = 0;

void fail(const char *what)
{
    std::fprintf(stderr, "listbench: FAILED CHECK: %s\n", what);
    ++g_failures;
}

enum class Kind { ListEx, Widget, Bare };

// The least a model can do that announces each row as it is added: it keeps the texts. Beside
// QListWidget it shows what Qt's own announcement to a shown view costs.
class BareModel : public QAbstractListModel {
public:
    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() ? 0 : int(m_texts.size());
    }
    QVariant data(const QModelIndex &index, int role) const override
    {
        return role == Qt::DisplayRole ? QVariant(m_texts[size_t(index.row())]) : QVariant();
    }
    void add(const QString &text)
    {
        const int row = int(m_texts.size());
        beginInsertRows({}, row, row);
        m_texts.push_back(text);
        endInsertRows();
    }

private:
    std::vector<QString> m_texts;
};

const char *kindName(Kind k)
{
    return k == Kind::ListEx ? "listex" : "qlistwidget";
}

QString itemText(int i)
{
    return QStringLiteral("Item %1").arg(i, 6, 10, QLatin1Char('0'));
}

QPixmap makePicture()
{
    QPixmap pm(16, 16);
    pm.fill(Qt::darkCyan);
    QPainter p(&pm);
    p.fillRect(4, 4, 8, 8, Qt::yellow);
    return pm;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

long rssBytes()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// Counts viewport paints that happen once the model holds every item: a frame painted
// before the view knows of the items would show an empty list.
class PaintWatcher : public QObject {
public:
    PaintWatcher(QListView *view, int expectedRows)
        : m_view(view)
        , m_expected(expectedRows)
    {
        view->viewport()->installEventFilter(this);
    }
    bool fullPaintSeen = false;
    int earlyPaints = 0;
    void reset(int expectedRows)
    {
        m_expected = expectedRows;
        fullPaintSeen = false;
        earlyPaints = 0;
    }

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint) {
            if (m_view->model()->rowCount() == m_expected)
                fullPaintSeen = true;
            else
                ++earlyPaints;
        }
        return false;
    }

private:
    QListView *m_view;
    int m_expected;
};

bool waitForFullPaint(const PaintWatcher &w, int timeoutMs = 120000)
{
    QElapsedTimer t;
    t.start();
    while (!w.fullPaintSeen && t.elapsed() < timeoutMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return w.fullPaintSeen;
}

struct Shared {
    QPixmap picture;
    QIcon icon;
};

std::unique_ptr<QListView> makeList(Kind k)
{
    std::unique_ptr<QListView> v;
    if (k == Kind::ListEx) {
        v = std::make_unique<KvListEx::ListEx>();
    } else if (k == Kind::Bare) {
        v = std::make_unique<QListView>();
        v->setUniformItemSizes(true);
        v->setModel(new BareModel);
        v->model()->setParent(v.get());
    } else {
        auto w = std::make_unique<QListWidget>();
        w->setUniformItemSizes(true);
        v = std::move(w);
    }
    v->resize(kSize);
    return v;
}

// text(i) gives the i-th text; the timed runs pass prepared strings, the memory runs build
// them on the spot so that the strings count towards the items that own them.
void fill(QListView *v, Kind k, int n, const Shared &s, const std::function<QString(int)> &text)
{
    if (k == Kind::ListEx) {
        auto *ex = static_cast<KvListEx::ListEx *>(v);
        for (int i = 0; i < n; ++i) {
            KvListEx::ListExItem item(text(i));
            item.setPicture(s.picture);
            ex->addItem(item);
        }
    } else if (k == Kind::Bare) {
        auto *bare = static_cast<BareModel *>(v->model());
        for (int i = 0; i < n; ++i)
            bare->add(text(i));
    } else {
        auto *lw = static_cast<QListWidget *>(v);
        for (int i = 0; i < n; ++i)
            lw->addItem(new QListWidgetItem(s.icon, text(i)));
    }
}

int itemCount(QListView *v, Kind k)
{
    if (k == Kind::Bare)
        return v->model()->rowCount();
    return k == Kind::ListEx ? static_cast<KvListEx::ListEx *>(v)->count()
                             : static_cast<QListWidget *>(v)->count();
}

QString textAt(QListView *v, Kind k, int i)
{
    if (k == Kind::Bare)
        return v->model()->index(i, 0).data().toString();
    return k == Kind::ListEx ? static_cast<KvListEx::ListEx *>(v)->item(i).text()
                             : static_cast<QListWidget *>(v)->item(i)->text();
}

// ms from creating the widget to the first frame that shows the filled list.
int g_earlyPaints[3] = {0, 0, 0};

double fillFirstFrame(Kind k, int n, const Shared &s, const QStringList &texts,
                      std::unique_ptr<QListView> *keep = nullptr)
{
    QElapsedTimer t;
    t.start();
    std::unique_ptr<QListView> v = makeList(k);
    PaintWatcher watcher(v.get(), n);
    v->show();
    fill(v.get(), k, n, s, [&](int i) { return texts[i]; });
    if (!waitForFullPaint(watcher))
        fail("no frame painted after filling");
    const double ms = t.nsecsElapsed() / 1e6;
    g_earlyPaints[int(k)] += watcher.earlyPaints;
    if (itemCount(v.get(), k) != n || textAt(v.get(), k, n - 1) != texts[n - 1])
        fail("filled list does not hold the items given");
    v->viewport()->removeEventFilter(&watcher);
    if (keep)
        *keep = std::move(v);
    else
        v.reset();
    QCoreApplication::processEvents();
    return ms;
}

// Child process: prints the bytes per item that filling and one paint add to the RSS.
int memoryChild(Kind k, int n)
{
    Shared s;
    s.picture = makePicture();
    s.icon = QIcon(s.picture);
    std::unique_ptr<QListView> v = makeList(k);
    PaintWatcher watcher(v.get(), 0);
    v->show();
    if (!waitForFullPaint(watcher))
        return 2;
    QCoreApplication::processEvents();
    const long before = rssBytes();
    watcher.reset(n);
    fill(v.get(), k, n, s, itemText);
    const long filled = rssBytes();
    if (!waitForFullPaint(watcher) || itemCount(v.get(), k) != n)
        return 3;
    const long after = rssBytes();
    std::printf("%ld %ld %ld\n", before, filled, after);
    std::fflush(stdout);
    // Tearing down a million items tells nothing here.
    _exit(0);
}

// Bytes per item after fill and paint; *fillOnly: the part already there before the paint.
double memoryPerItem(Kind k, int n, double *fillOnly)
{
    QProcess p;
    p.start(QCoreApplication::applicationFilePath(),
            {QStringLiteral("--memory"), QString::fromLatin1(kindName(k)), QString::number(n)});
    if (!p.waitForFinished(300000) || p.exitCode() != 0) {
        fail("memory child process failed");
        return -1;
    }
    const QList<QByteArray> parts = p.readAllStandardOutput().trimmed().split(' ');
    if (parts.size() != 3) {
        fail("memory child printed no figures");
        return -1;
    }
    const long b = parts[0].toLong(), f = parts[1].toLong(), a = parts[2].toLong();
    *fillOnly = double(f - b) / n;
    return double(a - b) / n;
}

template <typename F> double medianMs(int reps, F &&f)
{
    std::vector<double> times;
    for (int r = 0; r < reps; ++r) {
        QElapsedTimer t;
        t.start();
        f();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    return median(times);
}

// Median over runs of the mean time of one page step (up or back down) with a synchronous paint.
double pageScrollMs(QListView *v, int *pageRows = nullptr)
{
    v->scrollToBottom();
    QCoreApplication::processEvents();
    QScrollBar *sb = v->verticalScrollBar();
    const int bottom = sb->value();
    if (sb->maximum() <= 0 || bottom != sb->maximum() || sb->pageStep() <= 0)
        fail("list is not scrolled to its end");
    if (pageRows)
        *pageRows = sb->pageStep();
    std::vector<double> perPage;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer t;
        t.start();
        for (int i = 0; i < kScrollReps; ++i) {
            sb->setValue(bottom - sb->pageStep());
            v->viewport()->repaint();
            sb->setValue(bottom);
            v->viewport()->repaint();
        }
        perPage.push_back(t.nsecsElapsed() / 1e6 / (2 * kScrollReps));
    }
    if (sb->value() != bottom)
        fail("scroll bar did not return to the end");
    const QRect last = v->visualRect(v->model()->index(v->model()->rowCount() - 1, 0));
    if (!v->viewport()->rect().contains(last))
        fail("last item not shown at the bottom after scrolling");
    return median(perPage);
}

void header()
{
    std::printf("%-58s %12s %12s %8s  %-22s %s\n", "measurement", "ListEx", "QListWidget", "ratio", "target",
                "result");
    std::printf("%s\n", QByteArray(124, '-').constData());
}

void row(const char *what, double ex, double lw, const char *unit, const char *target, int met)
{
    char a[32], b[32], r[16];
    std::snprintf(a, sizeof a, "%.3f %s", ex, unit);
    if (lw >= 0) {
        std::snprintf(b, sizeof b, "%.3f %s", lw, unit);
        std::snprintf(r, sizeof r, "%.3f", lw > 0 ? ex / lw : 0.0);
    } else {
        std::snprintf(b, sizeof b, "-");
        std::snprintf(r, sizeof r, "-");
    }
    std::printf("%-58s %12s %12s %8s  %-22s %s\n", what, a, b, r, target,
                met < 0 ? "" : (met ? "met" : "MISSED"));
}

// n texts of 4 to 16 letters, both cases, now and then a blank: what people type.
QStringList randomTexts(int n)
{
    QRandomGenerator gen(20261207);
    QStringList out;
    out.reserve(n);
    for (int i = 0; i < n; ++i) {
        QString t(int(gen.bounded(4, 17)), Qt::Uninitialized);
        for (QChar &c : t) {
            const quint32 r = gen.bounded(53);
            c = r == 52 ? QChar(u' ') : QChar(char16_t(r < 26 ? u'a' + r : u'A' + (r - 26)));
        }
        out.append(t);
    }
    return out;
}

bool sortedIgnoringCase(const QStringList &texts)
{
    for (qsizetype i = 1; i < texts.size(); ++i)
        if (texts[i - 1].compare(texts[i], Qt::CaseInsensitive) > 0)
            return false;
    return true;
}

enum class SortedWay { ListEx, ListExWithEvents, WidgetSortingOn, WidgetAddItemsThenSort };

// ms from an empty list on the screen to the first frame of the sorted list, the items added one
// by one (ListEx and QListWidget with sorting on) or all at once and then sorted.
// ListExWithEvents lets events run every 1 000 items, as a program filling a list from a slow
// source would. The window is up and active before the clock starts: otherwise the first turn of
// events in the fill would give the list focus, and with it a current row that every later insert
// has Qt's own persistent index bookkeeping walk past, which a fill that lets no events run never
// pays.
double sortedFill(SortedWay way, const QStringList &texts)
{
    const int n = int(texts.size());
    QElapsedTimer t;
    std::unique_ptr<QListView> v;
    const bool listEx = way == SortedWay::ListEx || way == SortedWay::ListExWithEvents;
    if (listEx) {
        auto ex = std::make_unique<KvListEx::ListEx>();
        ex->setSortingEnabled(true);
        v = std::move(ex);
    } else {
        auto w = std::make_unique<QListWidget>();
        w->setUniformItemSizes(true);
        w->setSortingEnabled(way == SortedWay::WidgetSortingOn);
        v = std::move(w);
    }
    v->resize(kSize);
    PaintWatcher watcher(v.get(), n);
    v->show();
    QCoreApplication::processEvents();
    if (!v->isActiveWindow() || v->currentIndex().isValid())
        fail("sorted fill: the empty list's window is not up, or it has a current row");
    t.start();
    if (listEx) {
        auto *ex = static_cast<KvListEx::ListEx *>(v.get());
        for (int i = 0; i < n; ++i) {
            ex->addItem(texts[i]);
            if (way == SortedWay::ListExWithEvents && i % 1000 == 999)
                QCoreApplication::processEvents();
        }
    } else {
        auto *lw = static_cast<QListWidget *>(v.get());
        if (way == SortedWay::WidgetSortingOn) {
            for (const QString &text : texts)
                lw->addItem(text);
        } else {
            lw->addItems(texts);
            lw->sortItems();
        }
    }
    if (!waitForFullPaint(watcher))
        fail("no frame painted after a sorted fill");
    const double ms = t.nsecsElapsed() / 1e6;
    if (listEx) {
        QStringList shown;
        shown.reserve(n);
        for (int i = 0; i < n; ++i)
            shown.append(v->model()->index(i, 0).data().toString());
        if (!sortedIgnoringCase(shown))
            fail("ListEx sorted fill is not in order");
    }
    v->viewport()->removeEventFilter(&watcher);
    v.reset();
    QCoreApplication::processEvents();
    return ms;
}

// (e) sorted fills against QListWidget's two ways; sorting on is quadratic (every insert moves the
// pointers after it), so it is left out where it would take minutes.
void sortedFills()
{
    constexpr int kSortingOnLimit = 100000;
    for (const int n : {10000, 100000, 1000000}) {
        const QStringList texts = randomTexts(n);
        const int reps = n >= 1000000 ? 3 : 5;
        std::vector<double> ex, exEvents, on, bulk;
        for (int r = 0; r < reps; ++r) {
            ex.push_back(sortedFill(SortedWay::ListEx, texts));
            exEvents.push_back(sortedFill(SortedWay::ListExWithEvents, texts));
            if (n <= kSortingOnLimit && (n < kSortingOnLimit || r == 0))
                on.push_back(sortedFill(SortedWay::WidgetSortingOn, texts));
            bulk.push_back(sortedFill(SortedWay::WidgetAddItemsThenSort, texts));
        }
        const double e = median(ex), b = median(bulk), o = on.empty() ? -1 : median(on);
        const double best = o >= 0 ? std::min(o, b) : b;
        char what[96];
        if (o >= 0) {
            std::snprintf(what, sizeof what, "sorted fill one by one, %d, vs sorting on (%s)", n,
                          on.size() == 1 ? "1 run" : "median");
            row(what, e, o, "ms", "", -1);
        }
        std::snprintf(what, sizeof what, "sorted fill one by one, %d, vs addItems+sortItems", n);
        row(what, e, b, "ms", "", -1);
        std::snprintf(what, sizeof what, "sorted fill %d vs QListWidget's best way (median of %d)", n, reps);
        row(what, e, best, "ms", "<= 0.5x QListWidget", e <= 0.5 * best);
        const double ev = median(exEvents);
        std::snprintf(what, sizeof what, "  ListEx with events every 1000 items vs without, %d", n);
        row(what, ev, e, "ms", "<= 1.5x without", ev <= 1.5 * e);
    }
    std::printf("sorted fills: random texts of 4 to 16 letters; QListWidget with sorting on is not run past "
                "%d items (quadratic)\n",
                kSortingOnLimit);
}

int runAll()
{
    Shared s;
    s.picture = makePicture();
    s.icon = QIcon(s.picture);
    constexpr int kBig = 1000000;
    QStringList texts;
    texts.reserve(kBig);
    for (int i = 0; i < kBig; ++i)
        texts.append(itemText(i));

    std::printf("listbench: Qt %s, platform %s, widget %dx%d, picture 16x16 shared by all items\n\n",
                qVersion(), qPrintable(QGuiApplication::platformName()), kSize.width(), kSize.height());
    header();

    // (a) fill + first frame; the kinds take turns so that drift hits both alike.
    std::unique_ptr<QListView> bigEx, bigLw;
    for (const int n : {100000, kBig}) {
        const int reps = n == kBig ? 3 : 7;
        std::vector<double> ex, lw, bare;
        for (int r = 0; r < reps; ++r) {
            const bool last = r == reps - 1 && n == kBig;
            ex.push_back(fillFirstFrame(Kind::ListEx, n, s, texts, last ? &bigEx : nullptr));
            lw.push_back(fillFirstFrame(Kind::Widget, n, s, texts, last ? &bigLw : nullptr));
            bare.push_back(fillFirstFrame(Kind::Bare, n, s, texts));
        }
        const double e = median(ex), w = median(lw);
        char what[80];
        std::snprintf(what, sizeof what, "fill + first frame, %d items (median of %d)", n, reps);
        row(what, e, w, "ms", "<= 0.3x QListWidget", e <= 0.3 * w);
        std::snprintf(what, sizeof what, "  the same with a bare model that keeps only the texts");
        row(what, median(bare), w, "ms", "", -1);
    }

    std::printf("frames painted before the view knew all items (not counted as first frame): "
                "ListEx %d, QListWidget %d\n",
                g_earlyPaints[0], g_earlyPaints[1]);

    // (b) memory, each figure from a fresh process.
    QString memoryNotes;
    for (const int n : {100000, kBig}) {
        double ef = 0, wf = 0;
        const double e = memoryPerItem(Kind::ListEx, n, &ef), w = memoryPerItem(Kind::Widget, n, &wf);
        char what[64];
        std::snprintf(what, sizeof what, "resident memory per item, %d items", n);
        if (n == kBig)
            row(what, e, w, "B", "<= 0.35x QListWidget", e >= 0 && w > 0 && e <= 0.35 * w);
        else
            row(what, e, w, "B", "", -1);
        memoryNotes += QString::asprintf("memory %d items, before the first paint: ListEx %.1f B, "
                                         "QListWidget %.1f B per item\n",
                                         n, ef, wf);
    }

    // (c) searching 1,000,000 items: the last one (asked for in another case) and a miss
    // that agrees with every text up to the last character.
    auto *ex = static_cast<KvListEx::ListEx *>(bigEx.get());
    auto *lw = static_cast<QListWidget *>(bigLw.get());
    const QString lastLower = texts.last().toLower();
    const QString lastExact = texts.last();
    const QString miss = QStringLiteral("ITEM 99999X");
    constexpr int kFindReps = 11;
    auto loopExact = [lw](const QString &t) {
        for (int i = 0, n = lw->count(); i < n; ++i)
            if (lw->item(i)->text().compare(t, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    };
    auto loopPrefix = [lw](const QString &t) {
        for (int i = 0, n = lw->count(); i < n; ++i)
            if (lw->item(i)->text().startsWith(t, Qt::CaseInsensitive))
                return i;
        return -1;
    };
    auto firstRow = [lw](const QList<QListWidgetItem *> &found) {
        return found.isEmpty() ? -1 : lw->row(found.first());
    };
    struct Case {
        const char *name;
        QString text;
        bool exact;
        int expected;
        Qt::MatchFlags flags;
    };
    const Case cases[] = {
        {"exact, last item", lastLower, true, kBig - 1, Qt::MatchFixedString},
        {"exact, no match", miss, true, -1, Qt::MatchFixedString},
        {"prefix, last item", lastLower, false, kBig - 1, Qt::MatchStartsWith},
        {"prefix, no match", miss, false, -1, Qt::MatchStartsWith},
    };
    std::vector<std::pair<std::string, std::pair<double, double>>> findItemsRows;
    for (const Case &c : cases) {
        int got = -2, gotLoop = -2, gotFind = -2;
        const double e = medianMs(kFindReps, [&] {
            got = ex->findItem(c.text, c.exact ? Qt::MatchFixedString : Qt::MatchStartsWith);
        });
        const double l =
            medianMs(kFindReps, [&] { gotLoop = c.exact ? loopExact(c.text) : loopPrefix(c.text); });
        const double f = medianMs(kFindReps, [&] { gotFind = firstRow(lw->findItems(c.text, c.flags)); });
        if (got != c.expected)
            fail("ListEx::FindItem gave the wrong position");
        if (gotLoop != c.expected || gotFind != c.expected)
            fail("QListWidget search gave the wrong position");
        char what[80];
        std::snprintf(what, sizeof what, "FindItem %s, 1M, vs item loop", c.name);
        row(what, e, l, "ms", "<= 5 ms", e <= 5);
        std::snprintf(what, sizeof what, "FindItem %s, 1M, vs findItems(%s)", c.name,
                      c.exact ? "FixedString" : "StartsWith");
        row(what, e, f, "ms", "<= 5 ms", e <= 5);
    }
    {
        // MatchExactly compares QVariants, so it is case-sensitive: given the exact text.
        int gotFind = -2;
        const double f =
            medianMs(kFindReps, [&] { gotFind = firstRow(lw->findItems(lastExact, Qt::MatchExactly)); });
        int got = -2;
        const double e = medianMs(kFindReps, [&] { got = ex->findItem(lastExact, Qt::MatchFixedString); });
        if (gotFind != kBig - 1 || got != kBig - 1)
            fail("search for the exact last text missed it");
        row("FindItem exact, last, vs findItems(Exactly)", e, f, "ms", "<= 5 ms", e <= 5);
    }

    // (e) one item changed, inserted at the top, removed at the top, among 1,000,000; a
    // type-ahead key that matches nothing.
    {
        const double e1 = medianMs(
            kFindReps, [&] { ex->setItem(kBig / 2, KvListEx::ListExItem(QStringLiteral("changed"))); });
        const double w1 =
            medianMs(kFindReps, [&] { lw->item(kBig / 2)->setText(QStringLiteral("changed")); });
        row("change one item, 1M", e1, w1, "ms", "<= 1 ms", e1 <= 1);
        const double e2 = medianMs(kFindReps, [&] { ex->insertItem(0, QStringLiteral("first")); });
        const double w2 = medianMs(kFindReps, [&] { lw->insertItem(0, QStringLiteral("first")); });
        row("insert one item at row 0, 1M", e2, w2, "ms", "<= 1 ms", e2 <= 1);
        const double e3 = medianMs(kFindReps, [&] { ex->removeItem(0); });
        const double w3 = medianMs(kFindReps, [&] { delete lw->takeItem(0); });
        row("remove the item at row 0, 1M", e3, w3, "ms", "<= 1 ms", e3 <= 1);
        const double e4 = medianMs(kFindReps, [&] { ex->insertItem(ex->count(), QStringLiteral("last")); });
        const double w4 = medianMs(kFindReps, [&] { lw->addItem(QStringLiteral("last")); });
        row("append one item, 1M", e4, w4, "ms", "", -1);
        const double e5 = medianMs(kFindReps, [&] { ex->keyboardSearch(QStringLiteral("#")); });
        const double w5 = medianMs(kFindReps, [&] { lw->keyboardSearch(QStringLiteral("#")); });
        row("type-ahead key, no match, 1M", e5, w5, "ms", "<= 16 ms", e5 <= 16);
    }
    // (f) many items at once, and sorting switched on for a filled list of random texts.
    {
        const QStringList random = randomTexts(kBig);
        KvListEx::ListEx bulkEx;
        QListWidget bulkLw;
        bulkLw.setUniformItemSizes(true);
        QElapsedTimer t;
        // Fresh lists in turns, the last pair kept for the sort below.
        std::vector<double> ex, lw;
        for (int r = 0; r < 3; ++r) {
            KvListEx::ListEx freshEx;
            QListWidget freshLw;
            freshLw.setUniformItemSizes(true);
            KvListEx::ListEx &e = r == 2 ? bulkEx : freshEx;
            QListWidget &w = r == 2 ? bulkLw : freshLw;
            t.start();
            e.addItems(random);
            ex.push_back(t.nsecsElapsed() / 1e6);
            t.restart();
            w.addItems(random);
            lw.push_back(t.nsecsElapsed() / 1e6);
        }
        const double e = median(ex), w = median(lw);
        row("addItems, 1M (median of 3)", e, w, "ms", "<= 0.25x", e <= 0.25 * w);
        t.restart();
        bulkEx.setSortingEnabled(true);
        const double es = t.nsecsElapsed() / 1e6;
        t.restart();
        bulkLw.sortItems();
        const double ws = t.nsecsElapsed() / 1e6;
        row("sorting switched on, 1M random texts, vs sortItems", es, ws, "ms", "<= 0.5x", es <= 0.5 * ws);
        const double e6 = medianMs(kFindReps, [&] { bulkEx.keyboardSearch(QStringLiteral("#")); });
        row("type-ahead key, no match, 1M sorted", e6, 0, "ms", "<= 16 ms", e6 <= 16);
    }

    sortedFills();

    // (d) one page at the end of a short and a long list.
    double exShort = 0, exLong = 0;
    int pageRows = 0;
    for (const int n : {1000, kBig}) {
        std::unique_ptr<QListView> shortEx, shortLw;
        QListView *e = bigEx.get(), *w = bigLw.get();
        if (n != kBig) {
            fillFirstFrame(Kind::ListEx, n, s, texts, &shortEx);
            fillFirstFrame(Kind::Widget, n, s, texts, &shortLw);
            e = shortEx.get();
            w = shortLw.get();
        }
        const double te = pageScrollMs(e, &pageRows), tw = pageScrollMs(w);
        (n == kBig ? exLong : exShort) = te;
        char what[64];
        std::snprintf(what, sizeof what, "page scroll + repaint at end, %d items", n);
        if (n == kBig)
            row(what, te, tw, "ms", "<= 1.5x ListEx 1k", te <= 1.5 * exShort);
        else
            row(what, te, tw, "ms", "", -1);
    }
    std::printf("\nListEx page scroll 1M / 1k: %.3f (target <= 1.5); page = %d rows, %d reps x 2 "
                "steps per run, median of 7 runs\n",
                exShort > 0 ? exLong / exShort : 0.0, pageRows, kScrollReps);
    std::printf("%s", qPrintable(memoryNotes));
    std::printf("fill texts are prepared before timing; memory runs build them while filling\n");
    if (g_failures)
        std::printf("\n%d CHECK(S) FAILED, see stderr: figures above are not trustworthy\n", g_failures);
    std::fflush(stdout);
    // The big lists' teardown is not part of any figure.
    _exit(g_failures ? 1 : 0);
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() == 4 && args[1] == QLatin1String("--memory")) {
        const Kind k = args[2] == QLatin1String("listex") ? Kind::ListEx : Kind::Widget;
        bool ok = false;
        const int n = args[3].toInt(&ok);
        return ok && n > 0 ? memoryChild(k, n) : 2;
    }
    if (args.size() == 2 && args[1] == QLatin1String("--sorted")) {
        header();
        sortedFills();
        return g_failures ? 1 : 0;
    }
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: listbench [--sorted | --memory listex|qlistwidget COUNT]\n");
        return 2;
    }
    return runAll();
}
