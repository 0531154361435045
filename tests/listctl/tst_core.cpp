// SPDX-License-Identifier: BSD-3-Clause
// The list in Qt's idiom: its model under every kind of change, refusals of rows that name no
// item, finding, keys over disabled, filtered and hidden rows, row heights, the screen reader's
// view of the rows, and slots that change the list from the model's own signals.
#include "fontsandbox.h"

#include <KvListEx/listex.h>
#include <KvListEx/listexdelegate.h>

#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QStringListModel>
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

ListEx *filled(ListEx *list, const QStringList &items, const QList<int> &disabled = {})
{
    for (int row = 0; row < items.size(); ++row) {
        ListExItem item(items[row]);
        item.setEnabled(!disabled.contains(row));
        list->addItem(item);
    }
    return list;
}

QAccessibleInterface *rowOf(ListEx &list, int row)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&list);
    return iface ? iface->child(row) : nullptr;
}

bool lessIgnoringCase(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

bool sortedCaseInsensitive(const QStringList &t)
{
    return std::is_sorted(t.begin(), t.end(), lessIgnoringCase);
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
    void findItem_data();
    void findItem();
    void dropsCarryWholeItems_data();
    void dropsCarryWholeItems();
    void disabledItemsSkippedByUserButSelectableByProgram();
    void homeAndEndShowTheListsEnds();
    void foreignModelIsRefused();
    void rowHeightFollowsTheSettingAndTheFont();
    void rowsAddedBetweenTurnsAreWhereAskedFor();
    void screenReaderSeesRowStates();
    void screenReaderActionSelectsLikeAClick();
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
    QVERIFY(!list.itemModel()->setData(list.itemModel()->index(1), QStringLiteral("no"),
                                       ListExModel::EnabledRole));
    QVERIFY(!list.itemModel()->setData(list.itemModel()->index(1), QFont(), Qt::DisplayRole));
    QCOMPARE(list.item(1).background(), QColor(Qt::red));
    QVERIFY(list.itemModel()->moveRows({}, 0, 1, {}, 5)); // zulu to the end
    QCOMPARE(texts(list), (QStringList{"kilo!", "golf", "echo", "alpha", "zulu"}));
    QCOMPARE(list.currentRow(), 1); // the current item moved with its row
    QCOMPARE(list.takeItem(3).text(), QStringLiteral("alpha"));
    QVERIFY(list.removeItem(0));
    QCOMPARE(current.takeLast().at(0).toInt(), 0); // told when a removal above moves it
    QCOMPARE(list.insertItem(1, QStringLiteral("gone")), 1);
    list.setCurrentRow(1);
    current.clear();
    QVERIFY(list.removeItem(1)); // the item after the current one is told once, at its new row
    QCOMPARE(current.size(), 1);
    QCOMPARE(current.at(0).at(0).toInt(), 1);
    list.setCurrentRow(0);
    QVERIFY(list.itemModel()->setData(list.itemModel()->index(1), QBrush(), Qt::BackgroundRole));
    QVERIFY(!list.item(1).background().isValid());
    QVERIFY(!list.itemModel()->setData(list.itemModel()->index(1), QBrush(Qt::red, Qt::Dense4Pattern),
                                       Qt::BackgroundRole));
    QPixmap dot(4, 4);
    dot.fill(Qt::blue);
    QVERIFY(list.itemModel()->setData(list.itemModel()->index(1), QIcon(dot), Qt::DecorationRole));
    QCOMPARE(list.item(1).picture().size(), QSize(4, 4));

    list.setSortingEnabled(true);
    QCOMPARE(texts(list), (QStringList{"echo", "golf", "zulu"}));
    QCOMPARE(list.item(list.currentRow()).text(), QStringLiteral("golf"));
    QCOMPARE(list.addItem(QStringLiteral("Foxtrot")), 1);
    QCOMPARE(list.item(1), ListExItem(QStringLiteral("Foxtrot"))); // nothing left of a removed item
    list.setItem(0, ListExItem(QStringLiteral("yankee")));         // a new text moves to its place
    QCOMPARE(texts(list), (QStringList{"Foxtrot", "golf", "yankee", "zulu"}));
    list.addItems(QStringList{"bravo", "hotel"});
    QCOMPARE(texts(list), (QStringList{"bravo", "Foxtrot", "golf", "hotel", "yankee", "zulu"}));
    QCOMPARE(list.addItem(QStringLiteral("GOLF")), 3);
    QVERIFY(list.itemModel()->setData(list.itemModel()->index(2), QColor(Qt::red), Qt::ForegroundRole));
    QCOMPARE(list.item(2).color(), QColor(Qt::red)); // golf keeps its place before GOLF
    QVERIFY(list.itemModel()->insertRows(5, 1));     // where empty texts sort
    QCOMPARE(list.item(0).text(), QString());
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ListExModel::sort: .*descending order refused"));
    list.itemModel()->sort(0, Qt::DescendingOrder);
    QCOMPARE(list.item(1).text(), QStringLiteral("bravo"));
    list.setSortingEnabled(false);
    list.itemModel()->sort(0, Qt::DescendingOrder);
    QCOMPARE(texts(list).mid(0, 3), (QStringList{"zulu", "yankee", "hotel"}));

    for (const qreal ratio : {0.0, qQNaN()}) { // drawn without undefined behaviour
        QPixmap odd(8, 8);
        odd.fill(Qt::red);
        odd.setDevicePixelRatio(ratio);
        ListExItem pictured(QStringLiteral("pictured"));
        pictured.setPicture(odd);
        list.addItem(pictured);
    }
    ListExDelegate::Appearance look = list.listDelegate()->appearance();
    look.textLeft = std::numeric_limits<int>::max();
    look.pictWidth = std::numeric_limits<int>::min();
    list.listDelegate()->setAppearance(look); // brought into range, drawn without overflow
    QCOMPARE(list.listDelegate()->appearance().textLeft, ListEx::MaxPixels);
    QVERIFY(!list.grab().isNull());

    current.clear();
    QSignalSpy selection(&list, &ListEx::itemSelectionChanged);
    list.clear();
    QCOMPARE(selection.size(), 1);
    QCOMPARE(list.count(), 0);
    QCOMPARE(current.size(), 1);
    QCOMPARE(current.at(0).at(0).toInt(), -1);

    list.setSortingEnabled(true);
    list.addItems(QStringList{"b", "c"});
    QObject::connect(
        list.itemModel(), &QAbstractItemModel::rowsMoved, &list, [&] { list.removeItem(0); },
        Qt::SingleShotConnection);
    list.setItem(0, ListExItem(QStringLiteral("zz"))); // the removal waits for the rename's dataChanged
    QCOMPARE(texts(list), QStringList{QStringLiteral("zz")});
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
    QTest::newRow("wrapping") << "ListEx::setWrapping" << Call([](ListEx &l) {
        l.setWrapping(true);
        l.doItemsLayout();
        return QVariant(l.isWrapping());
    }) << QVariant(false);
    QTest::newRow("flow across") << "ListEx::setFlow" << Call([](ListEx &l) {
        l.setFlow(QListView::LeftToRight);
        l.doItemsLayout();
        return QVariant(int(l.flow()));
    }) << QVariant(int(QListView::TopToBottom));
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
    QTest::ignoreMessage(QtWarningMsg, "ListEx::setCurrentRow: row 2 is hidden");
    list.setCurrentRow(2);
    QTest::keyClicks(&list, QStringLiteral("b"));
    QCOMPARE(list.currentRow(), 4); // blueberry: banana is hidden
    list.insertItem(5, QStringLiteral("bread"));
    list.addItem(QStringLiteral("bbq"));
    QTest::keyClicks(&list, QStringLiteral("b"));
    QCOMPARE(list.currentRow(), 7); // "bb": an item that starts so, before the next "b"

    // A proxy that goes, or that is given another source, leaves the list showing its own items.
    auto *gone = new QSortFilterProxyModel;
    gone->setSourceModel(list.itemModel());
    list.setModel(gone);
    list.setCurrentRow(4);
    QSignalSpy current(&list, &ListEx::currentRowChanged);
    QSignalSpy selection(&list, &ListEx::itemSelectionChanged);
    delete gone;
    QCOMPARE(list.model(), list.itemModel());
    QCOMPARE(list.currentRow(), 4);
    QCOMPARE(current.size() + selection.size(), 0); // the same item stays current and selected
    QTest::keyClick(&list, Qt::Key_Home);
    QCOMPARE(list.currentRow(), 0);
    list.setModel(&proxy);
    QStringListModel other({"x"});
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ListEx: the proxy model shown no longer.*"));
    proxy.setSourceModel(&other);
    QCOMPARE(list.model(), list.itemModel());
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
    ListEx sorted, unsorted, sortedAtOnce;
    sorted.setSortingEnabled(true);
    sortedAtOnce.setSortingEnabled(true);
    for (const QString &text : given) {
        sorted.addItem(text);
        unsorted.addItem(text);
    }
    sortedAtOnce.addItems(given.first(given.size() / 2)); // the second batch reuses the first's tail
    sortedAtOnce.addItems(given.sliced(given.size() / 2));
    // Equal texts stay in the order they came in.
    QStringList expected = given;
    std::stable_sort(expected.begin(), expected.end(), lessIgnoringCase);
    QCOMPARE(texts(sorted), expected);
    QCOMPARE(texts(sortedAtOnce), expected);
    for (ListEx *list : {&sorted, &unsorted, &sortedAtOnce}) {
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

void CoreTest::findItem_data()
{
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("flags");
    QTest::addColumn<int>("found");
    const QStringList people{"Anna", "Annabel", "bob", "Bobby", "anna"};
    const int exact = Qt::MatchExactly, prefix = Qt::MatchStartsWith;
    QTest::newRow("exact, same case") << people << "Anna" << exact << 0;
    QTest::newRow("exact, other case") << people << "BOB" << exact << 2;
    QTest::newRow("exact is not a prefix") << people << "Ann" << exact << -1;
    QTest::newRow("exact wants the whole text") << people << "Annabe" << exact << -1;
    QTest::newRow("prefix, other case") << people << "ANNAB" << prefix << 1;
    QTest::newRow("prefix: first match wins") << people << "anna" << prefix << 0;
    QTest::newRow("several exact: first wins") << people << "ANNA" << exact << 0;
    QTest::newRow("prefix longer than any item") << people << "Bobby Tables" << prefix << -1;
    QTest::newRow("no match") << people << "Zed" << prefix << -1;
    QTest::newRow("empty text prefix matches the first") << people << "" << prefix << 0;
    QTest::newRow("empty text exact matches none") << people << "" << exact << -1;
    QTest::newRow("empty text exact matches an empty item") << QStringList{"a", ""} << "" << exact << 1;
    QTest::newRow("only empty items: empty prefix") << QStringList{"", ""} << "" << prefix << 0;
    QTest::newRow("only empty items: empty exact") << QStringList{"", ""} << "" << exact << 0;
    QTest::newRow("empty list") << QStringList{} << "a" << prefix << -1;
    QTest::newRow("non-ASCII case") << QStringList{"Ärger", "Öl"} << "öL" << exact << 1;
    QTest::newRow("case-sensitive") << people << "anna" << int(Qt::MatchExactly | Qt::MatchCaseSensitive)
                                    << 4;
    QTest::newRow("contains") << people << "BB" << int(Qt::MatchContains) << 3;
}

void CoreTest::findItem()
{
    QFETCH(QStringList, items);
    QFETCH(QString, text);
    QFETCH(int, flags);
    QFETCH(int, found);
    ListEx list;
    list.addItems(items);
    QCOMPARE(list.findItem(text, Qt::MatchFlags(flags)), found);
}

void CoreTest::dropsCarryWholeItems_data()
{
    QTest::addColumn<bool>("sorted");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("ontoItem");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("between rows") << false << 1 << false << QStringList{"Bob", "Zoe", "Cid", "Dan"};
    QTest::newRow("onto an item: before it") << false << 2 << true << QStringList{"Bob", "Cid", "Zoe", "Dan"};
    QTest::newRow("at the end") << false << -1 << false << QStringList{"Bob", "Cid", "Dan", "Zoe"};
    QTest::newRow("sorted: where it sorts") << true << 1 << false << QStringList{"Bob", "Cid", "Dan", "Zoe"};
}

// A drag carries every role an item sets, and the drop keeps every item already there.
void CoreTest::dropsCarryWholeItems()
{
    QFETCH(bool, sorted);
    QFETCH(int, row);
    QFETCH(bool, ontoItem);
    QFETCH(QStringList, expected);
    ListEx source, target;
    ListExItem zoe(QStringLiteral("Zoe"));
    zoe.setColor(Qt::darkRed);
    zoe.setDescription(QStringLiteral("Engineer"));
    zoe.setData(QStringLiteral("id-17"));
    zoe.setEnabled(false);
    source.addItem(zoe);
    target.setSortingEnabled(sorted);
    target.addItems(QStringList{"Bob", "Cid", "Dan"});
    ListExModel *model = target.itemModel();
    const std::unique_ptr<QMimeData> dragged(source.itemModel()->mimeData({source.itemModel()->index(0)}));
    QVERIFY(model->dropMimeData(dragged.get(), Qt::CopyAction, ontoItem ? -1 : row, 0,
                                ontoItem ? model->index(row) : QModelIndex()));
    QCOMPARE(texts(target), expected);
    const QModelIndex dropped = model->index(int(expected.indexOf("Zoe")));
    QCOMPARE(model->itemData(dropped), source.itemModel()->itemData(source.itemModel()->index(0)));
    QVERIFY(!model->setItemData(dropped, {{Qt::DisplayRole, "Ann"}, {Qt::CheckStateRole, Qt::Checked}}));
    QCOMPARE(dropped.data().toString(), QStringLiteral("Zoe")); // all or nothing
}

void CoreTest::disabledItemsSkippedByUserButSelectableByProgram()
{
    ListEx list;
    list.resize(200, 200);
    filled(&list, {"a", "b", "c", "d", "e"}, {1, 2, 4});
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setCurrentRow(0);
    QSignalSpy spy(&list, &ListEx::currentRowChanged);
    QTest::keyClick(&list, Qt::Key_Down); // over b and c
    QCOMPARE(list.currentRow(), 3);
    QTest::keyClick(&list, Qt::Key_Down); // e is disabled: stays
    QCOMPARE(list.currentRow(), 3);
    QTest::keyClick(&list, Qt::Key_End);
    QCOMPARE(list.currentRow(), 3);
    QTest::keyClick(&list, Qt::Key_Up);
    QCOMPARE(list.currentRow(), 0);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualRect(list.model()->index(2, 0)).center());
    QCOMPARE(list.currentRow(), 0);
    QTest::keyClicks(&list, "b");
    QCOMPARE(list.currentRow(), 0);
    QCOMPARE(spy.size(), 2);
    list.setCurrentRow(4); // the program may
    QCOMPARE(list.currentRow(), 4);
    QCOMPARE(list.selectedRows(), QList<int>{4});
}

// Home and End go to the first and last enabled items and show the list's own ends, also when
// the items at the ends are disabled.
void CoreTest::homeAndEndShowTheListsEnds()
{
    ListEx list;
    list.setItemHeight(20);
    list.resize(150, 105);
    QStringList items;
    for (int i = 0; i < 30; ++i)
        items << QStringLiteral("item %1").arg(i);
    filled(&list, items, {0, 1, 2, 28, 29});
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setCurrentRow(15);
    QTest::keyClick(&list, Qt::Key_Home);
    QCOMPARE(list.currentRow(), 3);
    QCOMPARE(list.verticalScrollBar()->value(), list.verticalScrollBar()->minimum());
    QCOMPARE(list.visualRect(list.model()->index(0, 0)).top(), 0);
    QTest::keyClick(&list, Qt::Key_End);
    QCOMPARE(list.currentRow(), 27);
    QCOMPARE(list.verticalScrollBar()->value(), list.verticalScrollBar()->maximum());
}

void CoreTest::foreignModelIsRefused()
{
    ListEx list;
    list.addItems({"a", "b"});
    const QAbstractItemModel *own = list.itemModel();
    QStringListModel other({"x", "y", "z"});
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ListEx::setModel: .*refused"));
    list.setModel(&other);
    QCOMPARE(list.model(), own);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.viewport()->repaint();
    QCOMPARE(texts(list), (QStringList{"a", "b"}));
}

// Set through the property system on a shown list, the height applies at once; 0 follows the font.
void CoreTest::rowHeightFollowsTheSettingAndTheFont()
{
    ListEx list;
    list.resize(200, 300);
    list.addItems({"a", "b", "c"});
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    auto rowHeight = [&] { return list.visualRect(list.model()->index(1, 0)).height(); };
    QVERIFY(list.setProperty("itemHeight", 50));
    QCOMPARE(rowHeight(), 50);
    QCOMPARE(list.visualRect(list.model()->index(2, 0)).top(), 100);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("setItemHeight: -1 .*ignored"));
    list.setProperty("itemHeight", -1);
    QCOMPARE(rowHeight(), 50);
    list.setItemHeight(0);
    list.setFont(QFont(QStringLiteral("Liberation Sans"), 10));
    const int small = rowHeight();
    list.setFont(QFont(QStringLiteral("Liberation Sans"), 30));
    QVERIFY2(rowHeight() > 2 * small,
             qPrintable(QStringLiteral("%1 px at 30 pt, %2 px at 10 pt").arg(rowHeight()).arg(small)));
}

// A long list that grows while events run lays its rows out now and then, yet any question about
// where a row is, or a scroll to the end, sees every row added so far.
void CoreTest::rowsAddedBetweenTurnsAreWhereAskedFor()
{
    ListEx list;
    list.setItemHeight(10);
    list.resize(200, 105);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QStringList chunk;
    for (int i = 0; i < 5000; ++i)
        chunk << QStringLiteral("row");
    const auto topRowDrawn = [&] {
        const QImage shot = list.viewport()->grab().toImage();
        const QRgb ground = shot.pixel(shot.width() - 1, 5);
        for (int x = 0; x < shot.width() / 2; ++x)
            if (shot.pixel(x, 5) != ground)
                return true;
        return false;
    };
    for (int round = 1; round <= 8; ++round) {
        list.addItems(chunk);
        QVERIFY(topRowDrawn()); // before the next layout too, the rows laid out are painted
        QCoreApplication::processEvents();
        list.addItem(QStringLiteral("last"));
        const int last = list.count() - 1;
        QCOMPARE(list.visualRect(list.model()->index(last, 0)).height(), 10);
        list.scrollToBottom();
        QVERIFY(list.viewport()->rect().contains(list.visualRect(list.model()->index(last, 0))));
        QCOMPARE(list.indexAt(QPoint(5, list.viewport()->height() - 5)).row(), last);
    }
}

void CoreTest::screenReaderSeesRowStates()
{
    ListEx list;
    ListExItem oku(QStringLiteral("Oku"));
    oku.setDescription(QStringLiteral("The shopkeeper."));
    list.addItem(oku);
    filled(&list, {"Off", "On"}, {0});
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(&list);
    QVERIFY(iface);
    QCOMPARE(iface->role(), QAccessible::List);
    QCOMPARE(iface->childCount(), 3);
    QCOMPARE(rowOf(list, 0)->text(QAccessible::Name), QStringLiteral("Oku"));
    QCOMPARE(rowOf(list, 0)->text(QAccessible::Description), QStringLiteral("The shopkeeper."));
    QCOMPARE(rowOf(list, 0)->role(), QAccessible::ListItem);
    QCOMPARE(iface->indexOfChild(rowOf(list, 2)), 2);
    QVERIFY(!rowOf(list, 0)->state().disabled);
    QVERIFY(rowOf(list, 1)->state().disabled);
    // The program may choose a disabled item: it is the selection, and says so.
    list.setCurrentRow(1);
    QVERIFY(rowOf(list, 1)->state().selected);
    QVERIFY(!rowOf(list, 0)->state().selected);
    list.setEnabled(false);
    QVERIFY(rowOf(list, 0)->state().disabled);
    QVERIFY(iface->state().disabled);
    list.setEnabled(true);
    QVERIFY(!rowOf(list, 0)->state().disabled);
    // Handles follow the rows as they move.
    list.insertItem(0, QStringLiteral("Alpha"));
    QCOMPARE(rowOf(list, 0)->text(QAccessible::Name), QStringLiteral("Alpha"));
    QCOMPARE(rowOf(list, 2)->text(QAccessible::Name), QStringLiteral("Off"));
    QVERIFY(rowOf(list, 2)->state().selected);
    // In extended selection the current row is only selected when it is.
    list.setSelectionMode(QAbstractItemView::ExtendedSelection);
    list.selectionModel()->setCurrentIndex(list.model()->index(0, 0), QItemSelectionModel::NoUpdate);
    QVERIFY(!rowOf(list, 0)->state().selected);
}

void CoreTest::screenReaderActionSelectsLikeAClick()
{
    ListEx list;
    filled(&list, {"a", "b", "c"}, {2});
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QSignalSpy spy(&list, &ListEx::currentRowChanged);
    QAccessibleActionInterface *action = rowOf(list, 1)->actionInterface();
    QVERIFY(action);
    QVERIFY(action->actionNames().contains(QAccessibleActionInterface::pressAction()));
    action->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(list.currentRow(), 1);
    QCOMPARE(list.selectedRows(), QList<int>{1});
    QCOMPARE(spy.size(), 1);
    QVERIFY(rowOf(list, 1)->state().selected);
    rowOf(list, 2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction()); // disabled
    QCOMPARE(list.currentRow(), 1);
    QCOMPARE(spy.size(), 1);
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
