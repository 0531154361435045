// SPDX-License-Identifier: BSD-3-Clause
// The list in Qt's idiom: its model under every kind of change, refusals of rows that name no
// item, proxies and hidden rows, and slots that change the list from the model's own signals.
#include "fontsandbox.h"

#include <KvListEx/listex.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QtTest>

#include <functional>

using namespace KvListEx;

using Call = std::function<QVariant(ListEx &)>;
Q_DECLARE_METATYPE(Call)

namespace {

QStringList texts(const ListEx &list)
{
    QStringList out;
    for (int row = 0; row < list.count(); ++row)
        out << list.itemModel()->index(row).data().toString();
    return out;
}

bool sortedCaseInsensitive(const QStringList &t)
{
    return std::is_sorted(t.begin(), t.end(), [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
}

} // namespace

// Calls a function from a slot that any signal can be connected to.
class Reacting : public QObject {
    Q_OBJECT
public:
    explicit Reacting(std::function<void()> react)
        : m_react(std::move(react))
    {
    }
public slots:
    void react() { m_react(); }

private:
    std::function<void()> m_react;
};

class CoreTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { useFontSandbox(); }

private slots:
    void modelAndProxyStayConsistentThroughEveryKindOfChange();
    void rowsThatNameNoItemAreRefusedWithoutAnException_data();
    void rowsThatNameNoItemAreRefusedWithoutAnException();
    void keysFindAndTypeAheadSkipFilteredAndHiddenRows();
    void sortedPlacesAndFindsFollowTheTexts_data();
    void sortedPlacesAndFindsFollowTheTexts();
    void slotsOnModelSignalsMayChangeTheList_data();
    void slotsOnModelSignalsMayChangeTheList();
};

void CoreTest::modelAndProxyStayConsistentThroughEveryKindOfChange()
{
    ListEx list;
    QSortFilterProxyModel proxy;
    proxy.setSourceModel(list.itemModel());
    QAbstractItemModelTester tester(list.itemModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QAbstractItemModelTester proxyTester(&proxy, QAbstractItemModelTester::FailureReportingMode::QtTest);
    QSignalSpy current(&list, &ListEx::currentRowChanged);
    list.show();

    list.addItems(QStringList{"kilo", "echo", "alpha"});
    QCOMPARE(list.itemModel()->rowCount(), 3); // in the model as soon as added
    QCOMPARE(list.insertItem(0, QStringLiteral("zulu")), 0);
    ListExItem coloured(QStringLiteral("golf"));
    coloured.setColor(QColor(10, 20, 30, 40));
    coloured.setData(QStringLiteral("kept"));
    QCOMPARE(list.insertItem(2, coloured), 2);
    QCOMPARE(list.item(2), coloured);
    list.setCurrentRow(2);
    QCOMPARE(current.takeLast().at(0).toInt(), 2);

    QVERIFY(list.itemModel()->setData(list.itemModel()->index(1), QStringLiteral("kilo!")));
    QVERIFY(list.itemModel()->setData(list.itemModel()->index(1), QColor(Qt::red), Qt::BackgroundRole));
    QVERIFY(
        !list.itemModel()->setData(list.itemModel()->index(1), QStringLiteral("red"), Qt::BackgroundRole));
    QCOMPARE(list.item(1).background(), QColor(Qt::red));
    QVERIFY(list.itemModel()->moveRows({}, 0, 1, {}, 5)); // zulu to the end
    QCOMPARE(texts(list), (QStringList{"kilo!", "golf", "echo", "alpha", "zulu"}));
    QCOMPARE(list.currentRow(), 1); // the current item moved with its row
    QCOMPARE(list.takeItem(3).text(), QStringLiteral("alpha"));
    QVERIFY(list.removeItem(0));

    list.setSortingEnabled(true);
    QCOMPARE(texts(list), (QStringList{"echo", "golf", "zulu"}));
    QCOMPARE(list.item(list.currentRow()).text(), QStringLiteral("golf"));
    QCOMPARE(list.addItem(QStringLiteral("Foxtrot")), 1);
    QCOMPARE(list.item(1), ListExItem(QStringLiteral("Foxtrot"))); // nothing left of a removed item
    list.setItem(0, ListExItem(QStringLiteral("yankee")));         // a new text moves to its place
    QCOMPARE(texts(list), (QStringList{"Foxtrot", "golf", "yankee", "zulu"}));
    list.addItems(QStringList{"bravo", "hotel"});
    QCOMPARE(texts(list), (QStringList{"bravo", "Foxtrot", "golf", "hotel", "yankee", "zulu"}));

    for (const qreal ratio : {0.0, qQNaN()}) { // drawn without undefined behaviour
        QPixmap odd(8, 8);
        odd.fill(Qt::red);
        odd.setDevicePixelRatio(ratio);
        ListExItem pictured(QStringLiteral("pictured"));
        pictured.setPicture(odd);
        list.addItem(pictured);
    }
    QVERIFY(!list.grab().isNull());

    current.clear();
    list.clear();
    QCOMPARE(list.count(), 0);
    QCOMPARE(current.size(), 1);
    QCOMPARE(current.at(0).at(0).toInt(), -1);
}

void CoreTest::rowsThatNameNoItemAreRefusedWithoutAnException_data()
{
    QTest::addColumn<QString>("member");
    QTest::addColumn<Call>("call");
    QTest::addColumn<QVariant>("result");
    // The list holds "a", "b", "c"; "b" is current.
    QTest::newRow("item past the end")
        << "ListEx::item" << Call([](ListEx &l) { return QVariant(l.item(3).text()); })
        << QVariant(QString());
    QTest::newRow("setItem before the start")
        << "ListEx::setItem" << Call([](ListEx &l) { return QVariant(l.setItem(-1, ListExItem("x"))); })
        << QVariant(false);
    QTest::newRow("insertItem past count")
        << "ListEx::insertItem" << Call([](ListEx &l) { return QVariant(l.insertItem(4, "x")); })
        << QVariant(-1);
    QTest::newRow("takeItem of -1") << "ListEx::takeItem"
                                    << Call([](ListEx &l) { return QVariant(l.takeItem(-1).text()); })
                                    << QVariant(QString());
    QTest::newRow("removeItem past the end")
        << "ListEx::removeItem" << Call([](ListEx &l) { return QVariant(l.removeItem(3)); })
        << QVariant(false);
    QTest::newRow("setCurrentRow past the end") << "ListEx::setCurrentRow" << Call([](ListEx &l) {
        l.setCurrentRow(3);
        return QVariant(l.currentRow());
    }) << QVariant(1);
    QTest::newRow("currentRow through the property system") << "ListEx::setCurrentRow" << Call([](ListEx &l) {
        l.setProperty("currentRow", -2);
        return QVariant(l.currentRow());
    }) << QVariant(1);
    QTest::newRow("findItem from past the end")
        << "ListEx::findItem"
        << Call([](ListEx &l) { return QVariant(l.findItem("a", Qt::MatchStartsWith, 4)); }) << QVariant(-1);
    QTest::newRow("model item") << "ListExModel::item"
                                << Call([](ListEx &l) { return QVariant(l.itemModel()->item(-7).text()); })
                                << QVariant(QString());
    QTest::newRow("model takeItem") << "ListExModel::takeItem" << Call([](ListEx &l) {
        return QVariant(l.itemModel()->takeItem(3).text());
    }) << QVariant(QString());
    QTest::newRow("model findRow") << "ListExModel::findRow" << Call([](ListEx &l) {
        return QVariant(l.itemModel()->findRow("a", {}, 9));
    }) << QVariant(-1);
    QTest::newRow("style outside the enum") << "ListEx::setItemStyle" << Call([](ListEx &l) {
        l.setProperty("itemStyle", 77);
        l.setItemStyle(ListEx::ItemStyle(-1));
        return QVariant(int(l.itemStyle()));
    }) << QVariant(int(ListEx::PictureAndText));
    QTest::newRow("icon mode") << "ListEx::setViewMode" << Call([](ListEx &l) {
        l.setViewMode(QListView::IconMode);
        l.doItemsLayout(); // where every way of setting it meets the list
        return QVariant(int(l.viewMode()));
    }) << QVariant(int(QListView::ListMode));
    QTest::newRow("negative pixels") << "ListEx::setTextLeft" << Call([](ListEx &l) {
        l.setProperty("textLeft", -1);
        return QVariant(l.textLeft());
    }) << QVariant(2);
}

void CoreTest::rowsThatNameNoItemAreRefusedWithoutAnException()
{
    QFETCH(QString, member);
    QFETCH(Call, call);
    QFETCH(QVariant, result);
    ListEx list;
    list.addItems(QStringList{"a", "b", "c"});
    list.setCurrentRow(1);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(member) + ".*"));
    if (member == u"ListEx::setItemStyle") // refused twice: the property and the setter
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(member) + ".*"));
    QVariant got;
    try {
        got = call(list);
    } catch (...) {
        QFAIL("an exception left the list");
    }
    QCOMPARE(got, result);
    QCOMPARE(texts(list), (QStringList{"a", "b", "c"}));
    QCOMPARE(list.currentRow(), 1);
}

void CoreTest::keysFindAndTypeAheadSkipFilteredAndHiddenRows()
{
    ListEx list;
    list.resize(200, 200);
    list.addItems(QStringList{"apple", "apricot", "banana", "avocado", "blueberry", "almond"});
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));

    QSortFilterProxyModel proxy;
    proxy.setSourceModel(list.itemModel());
    proxy.setFilterRegularExpression(QStringLiteral("^a"));
    list.setModel(&proxy);
    QCOMPARE(list.model()->rowCount(), 4);
    list.setCurrentRow(1);
    QTest::keyClick(&list, Qt::Key_Down);
    QCOMPARE(list.currentRow(), 3); // avocado, past the filtered banana
    QCOMPARE(list.findItem(QStringLiteral("b")), -1);
    QCOMPARE(list.findItems(QStringLiteral("a")), (QList<int>{0, 1, 3, 5}));
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ListEx::setCurrentRow: row 2 is filtered out.*"));
    list.setCurrentRow(2);
    QCOMPARE(list.currentRow(), 3);

    list.setModel(list.itemModel());
    list.setRowHidden(1, true);
    list.setRowHidden(2, true);
    list.setCurrentRow(0);
    QTest::keyClick(&list, Qt::Key_Down);
    QCOMPARE(list.currentRow(), 3);
    QCOMPARE(list.findItem(QStringLiteral("apr")), -1);
    QCOMPARE(list.findItem(QStringLiteral("a"), Qt::MatchStartsWith | Qt::MatchWrap, 4), 5);
    QCOMPARE(list.findItem(QStringLiteral("A"), Qt::MatchStartsWith | Qt::MatchCaseSensitive), -1);
    QCOMPARE(list.findItem(QStringLiteral("CAD"), Qt::MatchContains), 3);
    QTest::keyClicks(&list, QStringLiteral("b"));
    QCOMPARE(list.currentRow(), 4); // blueberry: banana is hidden
}

void CoreTest::sortedPlacesAndFindsFollowTheTexts_data()
{
    QTest::addColumn<QStringList>("given");
    QTest::newRow("letters in both cases")
        << QStringList{"beta", "Alpha", "ALPHA", "alpha", "Beta", "_under", "a", "A b", "Zeta", "zet"};
    QTest::newRow("long shared beginnings") << QStringList{"Item 000010",  "item 000002", "Item 00000",
                                                           "ITEM 0000010", "Item 000001", "Item 0000"};
    QTest::newRow("letters outside ASCII") << QStringList{
        "\u00e9clair", "eclair", "\u00c9CLAIR", "\u212aelvin", "kelvin", "k\u00e9", "ke", "\u00fcber"};
    QTest::newRow("empty texts and NUL")
        << QStringList{"", "a", QString(QChar(0)), QStringLiteral("a") + QChar(0) + "b", "ab", ""};
    QTest::newRow("surrogate pairs") << QStringList{"\U0001F600 smile", "smile",   "\U0001F600",
                                                    "a\U0001D400",      "a\uffff", "aa"};
}

// Sorted places and finds are checked against a plain reading of every text.
void CoreTest::sortedPlacesAndFindsFollowTheTexts()
{
    QFETCH(QStringList, given);
    ListEx sorted, unsorted;
    sorted.setSortingEnabled(true);
    for (const QString &text : given) {
        sorted.addItem(text);
        unsorted.addItem(text);
    }
    const QStringList placed = texts(sorted);
    QVERIFY2(sortedCaseInsensitive(placed), qPrintable(placed.join(u'|')));
    for (ListEx *list : {&sorted, &unsorted}) {
        const QStringList all = texts(*list);
        for (const QString &text : given) {
            for (const auto flags : {Qt::MatchExactly, Qt::MatchStartsWith, Qt::MatchCaseSensitive}) {
                for (const QString &wanted : {text, text.left(3), text.left(9)}) {
                    const auto matches = [&](const QString &t) {
                        if (flags == Qt::MatchStartsWith)
                            return t.startsWith(wanted, Qt::CaseInsensitive);
                        return t.compare(wanted, flags == Qt::MatchCaseSensitive ? Qt::CaseSensitive
                                                                                 : Qt::CaseInsensitive) == 0;
                    };
                    const int expected = int(std::find_if(all.begin(), all.end(), matches) - all.begin());
                    QCOMPARE(list->findItem(wanted, flags), expected == all.size() ? -1 : expected);
                }
            }
        }
    }
}

void CoreTest::slotsOnModelSignalsMayChangeTheList_data()
{
    QTest::addColumn<QByteArray>("signal");
    QTest::addColumn<bool>("clears");
    const char *const signalNames[] = {
        SIGNAL(rowsAboutToBeInserted(QModelIndex, int, int)),
        SIGNAL(rowsInserted(QModelIndex, int, int)),
        SIGNAL(rowsAboutToBeRemoved(QModelIndex, int, int)),
        SIGNAL(rowsRemoved(QModelIndex, int, int)),
        SIGNAL(rowsAboutToBeMoved(QModelIndex, int, int, QModelIndex, int)),
        SIGNAL(rowsMoved(QModelIndex, int, int, QModelIndex, int)),
        SIGNAL(dataChanged(QModelIndex, QModelIndex, QList<int>)),
        SIGNAL(layoutAboutToBeChanged(QList<QPersistentModelIndex>, QAbstractItemModel::LayoutChangeHint)),
        SIGNAL(layoutChanged(QList<QPersistentModelIndex>, QAbstractItemModel::LayoutChangeHint)),
        SIGNAL(modelAboutToBeReset()),
        SIGNAL(modelReset())};
    for (const char *s : signalNames) {
        const QByteArray name = QByteArray(s + 1).split('(').constFirst();
        QTest::newRow(name + ", adding") << QByteArray(s) << false;
        QTest::newRow(name + ", clearing") << QByteArray(s) << true;
    }
}

// A slot connected to one of the model's signals adds items (or clears the list) while a script
// of every kind of change runs: nothing may be lost, the list stays sorted once sorted, and the
// model stays consistent for its views (under AddressSanitizer in the hardening stage).
void CoreTest::slotsOnModelSignalsMayChangeTheList()
{
    QFETCH(QByteArray, signal);
    QFETCH(bool, clears);
    ListEx list;
    list.show();
    QAbstractItemModelTester tester(list.itemModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    QStringList added;
    Reacting reacting{[&] {
        if (added.size() >= 3)
            return;
        added << QStringLiteral("slot %1").arg(added.size());
        if (clears)
            list.clear();
        list.addItem(added.constLast());
    }};
    QVERIFY(QObject::connect(list.itemModel(), signal.constData(), &reacting, SLOT(react())));

    QStringList expected;
    if (signal.contains("Reset")) {
        list.addItems(QStringList{"x", "y"});
        list.clear();
    } else {
        list.addItems(QStringList{"b", "d", "f", "h", "j"});
        list.addItem(QStringLiteral("c"));
        list.setItem(0, ListExItem(QStringLiteral("a")));
        // A list cleared on the way may have no rows left to move or remove.
        const bool moved = list.itemModel()->moveRows({}, 0, 1, {}, list.count());
        const int d = list.findItem(QStringLiteral("d"), Qt::MatchFixedString);
        const bool removed = d >= 0 && list.removeItem(d);
        QVERIFY(clears || (moved && removed));
        list.setSortingEnabled(true);
        list.addItem(QStringLiteral("e"));
        expected = QStringList{"a", "c", "e", "f", "h", "j"};
    }
    QCoreApplication::processEvents();
    QVERIFY(!added.isEmpty());
    const QStringList now = texts(list);
    if (!clears)
        for (const QString &t : expected + added)
            QVERIFY2(now.contains(t), qPrintable(t + " was lost from " + now.join(u',')));
    if (list.isSortingEnabled())
        QVERIFY2(sortedCaseInsensitive(now), qPrintable(now.join(u',')));
}

QTEST_MAIN(CoreTest)
#include "tst_core.moc"
