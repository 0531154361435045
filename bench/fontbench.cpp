// SPDX-License-Identifier: BSD-3-Clause
// The font list in use, with whatever fonts FONTCONFIG_FILE names: the demo's window, or a
// QListWidget holding the same family names. Scrolls the list by the wheel, pages through it and
// searches it by typing, and prints the longest event, the time each part took and the memory.
// Usage: fontbench demo|qlistwidget   (bench/manyfonts.py runs it)
#include "fonts.h"
#include "frmmain.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QListWidget>
#include <QWheelEvent>

#include <cstdio>
#include <cstring>

namespace {

long statusKiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(std::strlen(field))).trimmed().split(' ').value(0).toLong();
    return -1;
}

// Times every event delivered from the event loop or sent by the benchmark, nested ones within.
class TimingApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject *receiver, QEvent *event) override
    {
        if (m_depth++ > 0) {
            const bool r = QApplication::notify(receiver, event);
            --m_depth;
            return r;
        }
        QElapsedTimer t;
        t.start();
        const bool r = QApplication::notify(receiver, event);
        const double ms = double(t.nsecsElapsed()) / 1e6;
        --m_depth;
        ++m_events;
        if (ms > m_longest) {
            m_longest = ms;
            m_longestType = event->type();
        }
        return r;
    }

    double m_longest = 0;
    int m_longestType = 0;
    qint64 m_events = 0;

private:
    int m_depth = 0;
};

TimingApplication *app()
{
    return static_cast<TimingApplication *>(QCoreApplication::instance());
}

// Runs the event loop until nothing has happened for 50 ms: queued face checks included.
void settle()
{
    QElapsedTimer quiet;
    quiet.start();
    qint64 seen = app()->m_events;
    while (quiet.elapsed() < 50) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (app()->m_events != seen) {
            seen = app()->m_events;
            quiet.restart();
        }
    }
}

void send(QWidget *to, QEvent &&event)
{
    QCoreApplication::sendEvent(to, &event);
    settle();
}

void key(QWidget *to, int k, const QString &text = {})
{
    send(to, QKeyEvent(QEvent::KeyPress, k, Qt::NoModifier, text));
    send(to, QKeyEvent(QEvent::KeyRelease, k, Qt::NoModifier, text));
}

// One part of the run: its longest event and its time, printed as "name-longest-ms" and "name-ms".
template <typename F> void part(const char *name, F &&f)
{
    app()->m_longest = 0;
    QElapsedTimer t;
    t.start();
    f();
    std::printf("%s-ms %.1f\n%s-longest-event-ms %.2f (event type %d)\n", name,
                double(t.nsecsElapsed()) / 1e6, name, app()->m_longest, app()->m_longestType);
    std::fflush(stdout);
}

void exercise(QAbstractItemView *list)
{
    list->setFocus();
    const int rows = list->model()->rowCount();
    part("wheel", [&] {
        const QPoint at = list->viewport()->rect().center();
        for (int i = 0; i < 200; ++i)
            send(list->viewport(), QWheelEvent(at, list->viewport()->mapToGlobal(at), {}, {0, -120},
                                               Qt::NoButton, {}, Qt::NoScrollPhase, false));
    });
    part("page", [&] {
        const int pages = rows / qMax(1, list->viewport()->height() / qMax(1, list->sizeHintForRow(0))) + 2;
        for (int i = 0; i < pages && list->currentIndex().row() < rows - 1; ++i)
            key(list, Qt::Key_PageDown);
        key(list, Qt::Key_Home);
        key(list, Qt::Key_End);
    });
    part("type", [&] {
        key(list, Qt::Key_Home);
        for (char c = 'a'; c <= 'z'; ++c)
            key(list, Qt::Key_A + (c - 'a'), QString(QLatin1Char(c)));
    });
}

} // namespace

int main(int argc, char *argv[])
{
    const bool demo = argc > 1 && std::strcmp(argv[1], "demo") == 0;
    TimingApplication a(argc, argv);
    QApplication::setKeyboardInputInterval(0); // each typed letter starts a search of its own
    fonts::registerSubstitutes();
    QApplication::setFont(fonts::layoutFont());
    const long startKiB = statusKiB("VmRSS:");
    const long startFileKiB = statusKiB("RssFile:");

    if (demo) {
        frmMain window;
        window.Form_Load();
        window.showCentred();
        settle();
        std::printf("families %d\n", window.ListEx1->ListItems().Count());
        exercise(window.ListEx1);
        std::printf("rss-growth-kib %ld\nrss-file-growth-kib %ld\npeak-rss-kib %ld\n",
                    statusKiB("VmRSS:") - startKiB, statusKiB("RssFile:") - startFileKiB,
                    statusKiB("VmHWM:"));
        return 0;
    }
    QStringList names;
    {
        KvListEx::Classic::ListEx source; // the same names as the demo's list, never shown
        source.AddScreenFonts();
        for (int i = 0; i < source.ListItems().Count(); ++i)
            names << source.ListItems().Item(i).Text();
    }
    QListWidget list;
    list.setUniformItemSizes(true);
    list.addItems(names);
    list.resize(frmMain::outerSize());
    list.show();
    settle();
    std::printf("families %d\n", list.count());
    exercise(&list);
    std::printf("rss-growth-kib %ld\nrss-file-growth-kib %ld\npeak-rss-kib %ld\n",
                statusKiB("VmRSS:") - startKiB, statusKiB("RssFile:") - startFileKiB, statusKiB("VmHWM:"));
    return 0;
}
