// SPDX-License-Identifier: BSD-3-Clause
// The porting layer's contract: items by position, selection and its signal, the text box,
// stored properties, errors that name the position, system colours and styles.
#include "fontsandbox.h"
#include <KvListEx/classic.h>

#include <QAbstractItemModelTester>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

#include <stdexcept>

using namespace KvListEx::Classic;
using KvListEx::kvVectorFont;

namespace {

QStringList texts(ListEx &list)
{
    QStringList out;
    for (int i = 0; i < list.ListItems().Count(); ++i)
        out << list.ListItems().Item(i).Text();
    return out;
}

void fill(ListEx &list, const QStringList &items)
{
    for (const QString &t : items)
        list.AddItem(t);
}

QFont layoutFont(qreal size)
{
    QFont f(QStringLiteral("MS Sans Serif"));
    f.setPointSizeF(size);
    f.setWeight(QFont::Normal);
    return f;
}

} // namespace

class ClassicTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { useFontSandbox(); }

private slots:
    void modelStaysConsistentWhileFillingClearingRefilling();
    void itemKeepsItsFieldsAsOthersMoveIt_data();
    void itemKeepsItsFieldsAsOthersMoveIt();
    void itemSelectedOnAssignment();
    void itemSelectedByUserClickAndKeys();
    void clearRaisesNothingAndSelectsNothing();
    void findItemReadsTheTextBox();
    void outOfRangeErrorsNameThePosition_data();
    void outOfRangeErrorsNameThePosition();
    void storedPropertiesRoundTrip_data();
    void storedPropertiesRoundTrip();
    void storedPropertiesOfTheWrongKindChangeNothing_data();
    void storedPropertiesOfTheWrongKindChangeNothing();
    void itemHandleFollowsItsItemOrSaysItIsGone();
    void styleChangeKeepsItemsAndSelection();
    void itemFontIsItsOwnAndPresentFromTheStart();
    void systemColorsFollowThePalette();
    void sortedListStaysSorted_data();
    void sortedListStaysSorted();
    void systemColourItemsKeepTheirRoleWhenSorted();
};

void ClassicTest::modelStaysConsistentWhileFillingClearingRefilling()
{
    ListEx list;
    QAbstractItemModelTester tester(list.itemModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    list.show();
    for (int i = 0; i < 50; ++i)
        list.AddItem(QStringLiteral("item %1").arg(i));
    QCOMPARE(list.ListItems().Count(), 50);
    QCOMPARE(list.itemModel()->rowCount(), 50);
    QCoreApplication::processEvents();
    list.AddItem(QStringLiteral("first"), 0);
    list.AddItem(QStringLiteral("middle"), 25);
    QCOMPARE(list.itemModel()->rowCount(), 52);
    QCOMPARE(list.ListItems().Item(0).Text(), QStringLiteral("first"));
    QCOMPARE(list.ListItems().Item(25).Text(), QStringLiteral("middle"));
    list.Clear();
    QCOMPARE(list.itemModel()->rowCount(), 0);
    for (int i = 0; i < 10; ++i)
        list.AddItem(QStringLiteral("again %1").arg(i));
    QCoreApplication::processEvents(); // the queued announcement
    QCOMPARE(list.itemModel()->rowCount(), 10);
    list.Refresh();
}

void ClassicTest::itemKeepsItsFieldsAsOthersMoveIt_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << QStringLiteral("Kasper");
    QTest::newRow("empty") << QString();
    QTest::newRow("outside the basic plane") << QStringLiteral("G clef \U0001D11E, emoji \U0001F600");
    QTest::newRow("long") << QString(70000, QLatin1Char('x')) + QStringLiteral("end");
}

// The item under test is inserted between others and then pushed down by inserts before it:
// everything it was given must stay with it, and a clear must leave nothing of it behind.
void ClassicTest::itemKeepsItsFieldsAsOthersMoveIt()
{
    QFETCH(QString, text);
    ListEx list;
    QAbstractItemModelTester tester(list.itemModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    fill(list, {"before", "after"});
    QFont own(QStringLiteral("Liberation Serif"));
    own.setItalic(true);
    list.AddItem(text, 1, 0x0000FF, 0x00FF00, &own, QPixmap(), 42, QStringLiteral("about it"));
    list.ListItems().Item(1).SetFontType(4);
    list.ListItems().Item(1).SetEnabled(false);
    list.AddItem(QStringLiteral("new first"), 0);
    list.AddItem(QStringLiteral("new second"), 1);
    list.AddItem(QStringLiteral("last"));

    const ListItem &item = list.ListItems().Item(3);
    QCOMPARE(item.Text(), text);
    QCOMPARE(list.itemModel()->index(3, 0).data(Qt::DisplayRole).toString(), text);
    QCOMPARE(item.ItemColor(), 0x0000FF);
    QCOMPARE(item.BackColor(), 0x00FF00);
    QCOMPARE(item.ItemData(), 42);
    QCOMPARE(item.Description(), QStringLiteral("about it"));
    QCOMPARE(item.FontType(), 4);
    QVERIFY(!item.Enabled());
    QVERIFY(list.ListItems().Item(3).Font().italic());
    QCOMPARE(texts(list), (QStringList{"new first", "new second", "before", text, "after", "last"}));
    QCOMPARE(list.FindItem(text, true), 3);
    QCOMPARE(list.FindItem(QStringLiteral("AFT"), false), 4);

    // Neighbours carry nothing of it.
    QCOMPARE(list.ListItems().Item(2).Description(), QString());
    QCOMPARE(list.ListItems().Item(2).FontType(), kvVectorFont);
    QVERIFY(list.ListItems().Item(2).Enabled());

    list.Clear();
    fill(list, {"one", "two"});
    QCOMPARE(texts(list), (QStringList{"one", "two"}));
    QCOMPARE(list.FindItem(text, true), -1);
}

void ClassicTest::itemSelectedOnAssignment()
{
    ListEx list;
    fill(list, {"a", "b", "c"});
    QSignalSpy spy(&list, &ListEx::ItemSelected);
    list.SetListIndex(0);
    QCOMPARE(spy.size(), 1);
    QCOMPARE(list.ListIndex(), 0);
    list.SetListIndex(0); // no change, no news
    QCOMPARE(spy.size(), 1);
    list.SetListIndex(2);
    QCOMPARE(spy.size(), 2);
    list.SetListIndex(-1); // nothing selected is never announced
    QCOMPARE(spy.size(), 2);
    QCOMPARE(list.ListIndex(), -1);
    QVERIFY(list.selectionModel()->selectedIndexes().isEmpty());
}

void ClassicTest::itemSelectedByUserClickAndKeys()
{
    QWidget window;
    auto *before = new QLineEdit(&window);
    ListEx &list = *new ListEx({{QStringLiteral("itemheight"), 20}}, &window); // four rows a page
    list.setGeometry(0, 30, 200, 120);
    fill(list, {"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"});
    QSignalSpy spy(&list, &ListEx::ItemSelected);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    before->setFocus();
    QTest::keyClick(before, Qt::Key_Tab); // focus alone makes a row current and chooses nothing
    QVERIFY(list.hasFocus());
    QCOMPARE(list.currentRow(), 0);
    QVERIFY(list.selectedRows().isEmpty());
    QCOMPARE(spy.size(), 0);
    int selectedWhenSignalled = -2;
    connect(&list, &ListEx::ItemSelected, this, [&] { selectedWhenSignalled = list.ListIndex(); });
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                      list.visualRect(list.itemModel()->index(2, 0)).center());
    QCOMPARE(list.ListIndex(), 2);
    QCOMPARE(selectedWhenSignalled, 2);
    QTest::keyClick(&list, Qt::Key_Down);
    QCOMPARE(list.ListIndex(), 3);
    QTest::keyClick(&list, Qt::Key_End);
    QCOMPARE(list.ListIndex(), 9);
    QTest::keyClick(&list, Qt::Key_Home);
    QCOMPARE(list.ListIndex(), 0);
    QTest::keyClick(&list, Qt::Key_PageDown);
    QCOMPARE(list.ListIndex(), 4);
    QTest::keyClicks(&list, "g"); // type-ahead
    QCOMPARE(list.ListIndex(), 6);
    QCOMPARE(spy.size(), 6);
}

void ClassicTest::clearRaisesNothingAndSelectsNothing()
{
    ListEx list;
    fill(list, {"a", "b"});
    list.SetListIndex(1);
    QSignalSpy spy(&list, &ListEx::ItemSelected);
    list.Clear();
    QCOMPARE(spy.size(), 0);
    QCOMPARE(list.ListIndex(), -1);
    QCOMPARE(list.ListItems().Count(), 0);
    fill(list, {"x"});
    list.SetListIndex(0); // after a refill, the first selection is news again
    QCOMPARE(spy.size(), 1);
}

void ClassicTest::findItemReadsTheTextBox()
{
    ListEx list;
    fill(list, {"Oswin", "Oku"});
    QLineEdit box;
    box.setText(QStringLiteral("ok"));
    QCOMPARE(list.FindItem(box, false), 1);
    QCOMPARE(list.FindItem(box, true), -1);
}

void ClassicTest::outOfRangeErrorsNameThePosition_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<bool>("viaItem");
    QTest::newRow("Item past the end") << 3 << true;
    QTest::newRow("Item at -1") << -1 << true;
    QTest::newRow("ListIndex past the end") << 3 << false;
    QTest::newRow("ListIndex below -1") << -2 << false;
}

void ClassicTest::outOfRangeErrorsNameThePosition()
{
    QFETCH(int, position);
    QFETCH(bool, viaItem);
    ListEx list;
    fill(list, {"a", "b", "c"});
    try {
        if (viaItem)
            list.ListItems().Item(position);
        else
            list.SetListIndex(position);
        QFAIL("no error");
    } catch (const std::out_of_range &e) {
        const QString message = QString::fromUtf8(e.what());
        QVERIFY2(message.contains(QString::number(position)) && message.contains(u'3'), e.what());
    }
    QCOMPARE(list.ListIndex(), -1);
}

void ClassicTest::storedPropertiesRoundTrip_data()
{
    QTest::addColumn<QVariantList>("stored"); // key, value, key, value…
    QTest::newRow("font list") << QVariantList{
        "_extentx", 5741, "_extenty", 7011, "font", QVariant::fromValue(layoutFont(8.25)),
        "style",    0,    "sorted",   true};
    QTest::newRow("colour list") << QVariantList{
        "_extentx",   6588, "_extenty",  5106, "backcolor", 0xFFFFFF,
        "textleft",   4,    "pictleft",  4,    "picttop",   4,
        "pictheight", 22,   "pictwidth", 22,   "font",      QVariant::fromValue(layoutFont(13.5)),
        "itemheight", 30,   "style",     2};
    QTest::newRow("character list") << QVariantList{
        "_extentx",     6800,     "_extenty",     5530,
        "backcolor",    0xFFFFC0, "selbackcolor", 0x80FF80,
        "selforecolor", 0xC00000, "transpcolor",  0x00FF00,
        "textleft",     4,        "pictleft",     4,
        "picttop",      4,        "pictheight",   32,
        "pictwidth",    32,       "font",         QVariant::fromValue(layoutFont(9.75)),
        "itemheight",   40};
    QTest::newRow("defaults store only size and font")
        << QVariantList{"_extentx", 2646, "_extenty", 1323, "font", QVariant::fromValue(layoutFont(8.25))};
}

void ClassicTest::storedPropertiesRoundTrip()
{
    QFETCH(QVariantList, stored);
    ListEx::Properties in;
    for (int i = 0; i < stored.size(); i += 2)
        in.append({stored[i].toString(), stored[i + 1]});
    ListEx list(in);
    const ListEx::Properties out = list.WriteProperties();
    QCOMPARE(out.size(), in.size());
    for (int i = 0; i < in.size(); ++i) {
        QCOMPARE(out[i].first, in[i].first);
        if (in[i].first == u"font") {
            const QFont f = out[i].second.value<QFont>();
            QCOMPARE(f.family(), QStringLiteral("MS Sans Serif"));
            QCOMPARE(f.pointSizeF(), in[i].second.value<QFont>().pointSizeF());
            QCOMPARE(f.weight(), QFont::Normal);
        } else {
            QCOMPARE(out[i].second.toInt(), in[i].second.toInt());
        }
    }
}

void ClassicTest::storedPropertiesOfTheWrongKindChangeNothing_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("unknownKey");
    QTest::newRow("colour as a name") << "selbackcolor" << QVariant(QStringLiteral("red")) << false;
    QTest::newRow("style by its name") << "style" << QVariant(QStringLiteral("kvLargePicture")) << false;
    QTest::newRow("flag as a word") << "sorted" << QVariant(QStringLiteral("no")) << false;
    QTest::newRow("pixels below zero") << "itemheight" << QVariant(-1) << false;
    QTest::newRow("colour past 0x00FFFFFF") << "backcolor" << QVariant(0x01000000) << false;
    QTest::newRow("font as a name") << "font" << QVariant(QStringLiteral("Arial")) << false;
    QTest::newRow("unknown key") << "forecolor" << QVariant(0) << true;
}

// A bad value after good ones: the error names it, and the good ones are not applied either.
void ClassicTest::storedPropertiesOfTheWrongKindChangeNothing()
{
    QFETCH(QString, key);
    QFETCH(QVariant, value);
    QFETCH(bool, unknownKey);
    ListEx list;
    const ListEx::Properties before = list.WriteProperties();
    try {
        list.ReadProperties(
            {{QStringLiteral("backcolor"), 0x0000FF}, {QStringLiteral("style"), 4}, {key, value}});
        QFAIL("no error");
    } catch (const std::invalid_argument &e) {
        QVERIFY2(unknownKey && QString::fromUtf8(e.what()).contains(key), e.what());
    } catch (const std::out_of_range &e) {
        QVERIFY2(!unknownKey && QString::fromUtf8(e.what()).contains(key), e.what());
    }
    QVERIFY(!list.backColor().isValid());
    QCOMPARE(list.Style(), int(ListEx::kvPictureAndText));
    QCOMPARE(list.WriteProperties(), before);
}

void ClassicTest::itemHandleFollowsItsItemOrSaysItIsGone()
{
    ListEx list;
    fill(list, {"a", "b", "c"});
    const ListItem c = list.ListItems().Item(2);
    list.AddItem(QStringLiteral("first"), 0);
    QCOMPARE(c.Text(), QStringLiteral("c"));
    list.removeItem(3);
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, c.Text());
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, list.ListItems().Item(3));
    auto *gone = new ListEx;
    fill(*gone, {"x"});
    ListItem orphan = gone->ListItems().Item(0);
    delete gone; // a handle that outlives its list
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, orphan.SetEnabled(false));
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, orphan.Font());
    // A colour that names none is an error like a bad position, and adds nothing.
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, list.AddItem(QStringLiteral("odd"), -1, 0x01000000));
    QCOMPARE(list.ListItems().Count(), 3);
    QCOMPARE(FromQColor(QColor()), kvNoColor);
}

void ClassicTest::styleChangeKeepsItemsAndSelection()
{
    ListEx list;
    fill(list, {"a", "b", "c"});
    list.SetListIndex(1);
    QSignalSpy spy(&list, &ListEx::ItemSelected);
    for (int style : {ListEx::kvText, ListEx::kvColorRectAndText, ListEx::kvLargePicture,
                      ListEx::kvLargeColorRect, ListEx::kvPictureAndText}) {
        list.SetStyle(style);
        QCOMPARE(list.Style(), style);
        QCOMPARE(list.ListIndex(), 1);
        QCOMPARE(texts(list), (QStringList{"a", "b", "c"}));
    }
    QCOMPARE(spy.size(), 0);
    list.Clear();
    fill(list, {"x"});
    QCOMPARE(list.Style(), int(ListEx::kvPictureAndText)); // a refill keeps the style
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, list.SetStyle(5));
}

void ClassicTest::itemFontIsItsOwnAndPresentFromTheStart()
{
    ListEx list({{QStringLiteral("font"), QVariant::fromValue(layoutFont(9.75))}});
    fill(list, {"a", "b", "c"});
    QFont &font = list.ListItems().Item(1).Font();
    QCOMPARE(font.pointSizeF(), 9.75); // starts as the list's font
    font.setBold(true);
    font.setUnderline(true);
    QVERIFY(list.ListItems().Item(1).Font().bold());
    QVERIFY(!list.ListItems().Item(0).Font().bold());
    QVERIFY(!list.ListItems().Item(2).Font().underline());
    QCOMPARE(list.itemModel()->index(1, 0).data(Qt::FontRole).value<QFont>().bold(), true);
}

void ClassicTest::systemColorsFollowThePalette()
{
    ListEx list;
    list.AddSystemColors();
    QStringList names = texts(list);
    QVERIFY(names.contains(QStringLiteral("Window")));
    QVERIFY(names.contains(QStringLiteral("Window Text")));
    QVERIFY(names.contains(QStringLiteral("Highlight")));
    const int highlight = int(names.indexOf(QStringLiteral("Highlight")));
    QCOMPARE(list.ListItems().Item(highlight).ItemColor(),
             FromQColor(QApplication::palette().color(QPalette::Active, QPalette::Highlight)));
    const QPalette original = QApplication::palette();
    QPalette changed = original;
    changed.setColor(QPalette::Highlight, QColor(12, 34, 56));
    QApplication::setPalette(changed);
    QCoreApplication::processEvents();
    QCOMPARE(list.ListItems().Item(highlight).ItemColor(), 0x38220C);
    QApplication::setPalette(original);
}

void ClassicTest::sortedListStaysSorted_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("random texts added one by one") << "random";
    QTest::newRow("equal texts keep the order they came in") << "ties";
    QTest::newRow("more added after the first fill was shown") << "refill";
    QTest::newRow("read between additions") << "interleaved";
    QTest::newRow("screen fonts into a list that holds items") << "fonts";
    QTest::newRow("system colours into a list that holds items") << "colours";
    QTest::newRow("sorting switched on over items") << "switched on";
}

// Whatever way items come in, a sorted list shows them in case-insensitive order, equal texts in
// the order added, and a selected item stays selected as others sort in around it.
void ClassicTest::sortedListStaysSorted()
{
    QFETCH(QString, how);
    ListEx list({{QStringLiteral("sorted"), how != u"switched on"}});
    QAbstractItemModelTester tester(list.itemModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    list.show();
    QStringList added; // in the order added, each made unique by a suffix the order ignores
    auto add = [&](const QString &text) {
        added << text;
        list.AddItem(text, -1, -1, -1, nullptr, QPixmap(), int(added.size() - 1));
    };
    QRandomGenerator random(42);
    auto word = [&] {
        QString w;
        for (int i = int(random.bounded(1, 6)); i > 0; --i)
            w += QChar(char16_t((random.bounded(2) ? u'a' : u'A') + random.bounded(3)));
        return w;
    };
    if (how == u"ties") {
        for (const char *t : {"b", "A", "a", "B", "a", "A"})
            add(QString::fromLatin1(t));
    } else {
        for (int i = 0; i < 300; ++i)
            add(word());
    }
    if (how == u"refill" || how == u"interleaved" || how == u"fonts" || how == u"colours") {
        QCoreApplication::processEvents();
        list.SetListIndex(list.ListItems().Count() / 2);
        const QString chosen = list.ListItems().Item(list.ListIndex()).Text();
        const int chosenData = list.ListItems().Item(list.ListIndex()).ItemData();
        if (how == u"fonts")
            list.AddScreenFonts();
        else if (how == u"colours")
            list.AddSystemColors();
        for (int i = 0; i < 200; ++i) {
            add(word());
            if (how == u"interleaved" && i % 7 == 0)
                QVERIFY(list.ListItems().Item(list.ListItems().Count() - 1).Text().size() > 0);
        }
        QCoreApplication::processEvents();
        QCOMPARE(list.ListItems().Item(list.ListIndex()).Text(), chosen);
        QCOMPARE(list.ListItems().Item(list.ListIndex()).ItemData(), chosenData);
    }
    if (how == u"switched on")
        list.setSortingEnabled(true);

    const QStringList shown = texts(list);
    QCOMPARE(list.itemModel()->rowCount(), shown.size());
    for (int i = 1; i < shown.size(); ++i)
        QVERIFY2(shown[i - 1].compare(shown[i], Qt::CaseInsensitive) <= 0,
                 qPrintable(shown[i - 1] + QStringLiteral(" before ") + shown[i]));
    // Equal texts keep the order they were added in (their ItemData is that order).
    for (int i = 1; i < shown.size(); ++i) {
        const ListItem a = list.ListItems().Item(i - 1), b = list.ListItems().Item(i);
        if (shown[i - 1].compare(shown[i], Qt::CaseInsensitive) == 0 && a.ItemData() >= 0 &&
            b.ItemData() >= 0)
            QVERIFY(a.ItemData() < b.ItemData());
    }
    if (how == u"ties")
        QCOMPARE(shown, (QStringList{"A", "a", "a", "A", "b", "B"}));
}

void ClassicTest::systemColourItemsKeepTheirRoleWhenSorted()
{
    ListEx list({{QStringLiteral("sorted"), true}});
    QAbstractItemModelTester tester(list.itemModel(), QAbstractItemModelTester::FailureReportingMode::QtTest);
    list.AddItem(QStringLiteral("Azure"), -1, 0x123456);
    list.AddSystemColors();
    QPalette changed = list.palette();
    changed.setColor(QPalette::Base, QColor(1, 2, 3));
    changed.setColor(QPalette::WindowText, QColor(4, 5, 6));
    changed.setColor(QPalette::Highlight, QColor(7, 8, 9));
    list.setPalette(changed);
    QCOMPARE(list.ListItems().Item(list.FindItem(QStringLiteral("Base"), true)).ItemColor(), 0x030201);
    QCOMPARE(list.ListItems().Item(list.FindItem(QStringLiteral("Window Text"), true)).ItemColor(), 0x060504);
    QCOMPARE(list.ListItems().Item(list.FindItem(QStringLiteral("Highlight"), true)).ItemColor(), 0x090807);
    QCOMPARE(list.ListItems().Item(list.FindItem(QStringLiteral("Azure"), true)).ItemColor(), 0x123456);
    // The swatch a row shows is its role's colour too.
    const QModelIndex base = list.itemModel()->index(list.FindItem(QStringLiteral("Base"), true), 0);
    QCOMPARE(base.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(1, 2, 3));
}

QTEST_MAIN(ClassicTest)
#include "tst_classic.moc"
