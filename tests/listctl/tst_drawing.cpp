// SPDX-License-Identifier: BSD-3-Clause
// What the list draws, read back from grabbed images.
#include "fontsandbox.h"
#include "rowpixels.h"
#include <KvListEx/classic.h>

#include <QApplication>
#include <QPainter>
#include <QtTest>

using namespace KvListEx::Classic;

namespace {

// The selection's text as a reader gets it: the palette's, or black or white where that does not
// read 4.5:1 on the selection.
QColor readableSelectionText(const QPalette &palette)
{
    const QColor text = palette.color(QPalette::HighlightedText), ground = palette.color(QPalette::Highlight);
    if (rowpixels::contrast(text, ground) >= 4.5)
        return text;
    return rowpixels::contrast(Qt::black, ground) >= rowpixels::contrast(Qt::white, ground)
               ? QColor(Qt::black)
               : QColor(Qt::white);
}

constexpr QRgb kGround = qRgb(0, 255, 0);

// A 32 x 32 picture: green ground, a red square in the middle.
QPixmap figure()
{
    QImage image(32, 32, QImage::Format_RGB32);
    image.fill(kGround);
    for (int y = 8; y < 24; ++y)
        for (int x = 8; x < 24; ++x)
            image.setPixel(x, y, qRgb(255, 0, 0));
    return QPixmap::fromImage(image);
}

// A 32 x 32 checkerboard of black and white pixels.
QPixmap checkerboard()
{
    QImage image(32, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            image.setPixel(x, y, (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0));
    return QPixmap::fromImage(image);
}

std::unique_ptr<ListEx> characterList()
{
    auto list = std::make_unique<ListEx>(ListEx::Properties{
        {QStringLiteral("backcolor"), 0xFFFFC0},
        {QStringLiteral("selbackcolor"), 0x80FF80},
        {QStringLiteral("selforecolor"), 0xC00000},
        {QStringLiteral("transpcolor"), 0x00FF00},
        {QStringLiteral("textleft"), 4},
        {QStringLiteral("pictleft"), 4},
        {QStringLiteral("picttop"), 4},
        {QStringLiteral("pictheight"), 32},
        {QStringLiteral("pictwidth"), 32},
        {QStringLiteral("itemheight"), 40},
    });
    list->resize(257, 209);
    const QPixmap picture = figure();
    list->AddItem(QStringLiteral("Selected"), -1, -1, -1, nullptr, picture);
    list->AddItem(QStringLiteral("Pink"), -1, -1, 0xC0C0FF, nullptr, picture);
    list->AddItem(QStringLiteral("Plain"), -1, 255, -1, nullptr, picture);
    list->AddItem(QStringLiteral("Wallace Plain"), -1, -1, -1, nullptr, picture);
    list->SetListIndex(0);
    list->show();
    return list;
}

QImage grab(ListEx &list)
{
    return list.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

QRect row(ListEx &list, int r)
{
    return list.visualRect(list.itemModel()->index(r, 0));
}

QImage crop(const QImage &image, const QRect &rect)
{
    return image.copy(rect);
}

// The ink of a row's text, right of its picture box, against the ground at the row's right end.
rowpixels::Ink textInk(ListEx &list, const QImage &image, int r, int textX)
{
    const QRect area = row(list, r).adjusted(textX, 1, -6, -1);
    return rowpixels::inkIn(image, area,
                            image.pixelColor(row(list, r).right() - 2, row(list, r).center().y()));
}

// A dark scheme like those of desktop colour schemes: light text on dark bases.
QPalette darkPalette()
{
    QPalette p;
    p.setColor(QPalette::Window, QColor(53, 53, 53));
    p.setColor(QPalette::WindowText, Qt::white);
    p.setColor(QPalette::Base, QColor(35, 35, 35));
    p.setColor(QPalette::AlternateBase, QColor(53, 53, 53));
    p.setColor(QPalette::Text, Qt::white);
    p.setColor(QPalette::Button, QColor(53, 53, 53));
    p.setColor(QPalette::ButtonText, Qt::white);
    p.setColor(QPalette::Highlight, QColor(42, 130, 218));
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Disabled, QPalette::Text, QColor(110, 110, 110));
    p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(80, 80, 80));
    return p;
}

// The three kinds of list the demo shows: stored colours with pictures, a white colour list,
// and a list that takes every colour from the palette.
std::unique_ptr<ListEx> listOfKind(const QString &kind)
{
    ListEx::Properties stored;
    if (kind == u"characters")
        stored = {{QStringLiteral("backcolor"), 0xFFFFC0},    {QStringLiteral("selbackcolor"), 0x80FF80},
                  {QStringLiteral("selforecolor"), 0xC00000}, {QStringLiteral("transpcolor"), 0x00FF00},
                  {QStringLiteral("pictwidth"), 32},          {QStringLiteral("pictheight"), 32},
                  {QStringLiteral("itemheight"), 40}};
    else if (kind == u"colours")
        stored = {{QStringLiteral("backcolor"), 0xFFFFFF},
                  {QStringLiteral("pictwidth"), 22},
                  {QStringLiteral("pictheight"), 22},
                  {QStringLiteral("itemheight"), 30},
                  {QStringLiteral("style"), ListEx::kvColorRectAndText}};
    else
        stored = {{QStringLiteral("style"), ListEx::kvText}, {QStringLiteral("itemheight"), 24}};
    auto list = std::make_unique<ListEx>(stored);
    list->resize(257, 300);
    return list;
}

int textStart(const ListEx &list)
{
    return list.Style() == ListEx::kvText ? list.textLeft()
                                          : list.pictLeft() + list.pictWidth() + list.textLeft();
}

} // namespace

class DrawingTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { useFontSandbox(); }

private slots:
    // Not whichever face "Sans" finds in the private set.
    void initTestCase() { QApplication::setFont(QFont(QStringLiteral("Liberation Sans"), 10)); }
    void groundShowsTheBackground_data();
    void groundShowsTheBackground();
    void itemColourShowsInTheText();
    void disabledItemIsDrawnDifferently();
    void disabledListIsGreyed();
    void largeColorRectFillsTheItem();
    void colorRectAndTextDrawsASwatch();
    void crispAtDevicePixelRatio2();
    void itemFontIsDrawn_data();
    void itemFontIsDrawn();
    void textTheFaceLacksIsDrawnAsQtDrawsIt_data();
    void textTheFaceLacksIsDrawnAsQtDrawsIt();
    void textIsReadableOnItsGround_data();
    void textIsReadableOnItsGround();
    void disabledSelectionKeepsTheSelectionGround();
    void keyboardPlaceShowsOnAnUnselectedRow();
    void rowFollowsItsSettingAndState_data();
    void rowFollowsItsSettingAndState();
};

void DrawingTest::groundShowsTheBackground_data()
{
    QTest::addColumn<int>("item");
    QTest::addColumn<QColor>("background");
    QTest::newRow("selected item: selection colour") << 0 << QColor(128, 255, 128);
    QTest::newRow("own background") << 1 << QColor(255, 192, 192);
    QTest::newRow("list background") << 3 << QColor(192, 255, 255);
}

void DrawingTest::groundShowsTheBackground()
{
    QFETCH(int, item);
    QFETCH(QColor, background);
    auto list = characterList();
    QVERIFY(QTest::qWaitForWindowExposed(list.get()));
    const QImage image = grab(*list);
    const QPoint box = row(*list, item).topLeft() + QPoint(4, 4);
    QCOMPARE(image.pixelColor(box), background); // green ground: transparent
    QCOMPARE(image.pixelColor(box + QPoint(4, 28)), background);
    QCOMPARE(image.pixelColor(box + QPoint(16, 16)), QColor(255, 0, 0));                 // the figure
    QCOMPARE(image.pixelColor(row(*list, item).topRight() - QPoint(2, -2)), background); // past the text
}

void DrawingTest::itemColourShowsInTheText()
{
    auto list = characterList();
    QVERIFY(QTest::qWaitForWindowExposed(list.get()));
    const QImage image = grab(*list);
    auto hasRedText = [&](int r) {
        const QRect text = row(*list, r).adjusted(40, 0, 0, 0);
        for (int y = text.top(); y <= text.bottom(); ++y)
            for (int x = text.left(); x <= text.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 200 && c.green() < 80 && c.blue() < 80)
                    return true;
            }
        return false;
    };
    QVERIFY(hasRedText(2));
    QVERIFY(!hasRedText(3));
}

void DrawingTest::disabledItemIsDrawnDifferently()
{
    auto list = characterList();
    QVERIFY(QTest::qWaitForWindowExposed(list.get()));
    QCOMPARE(crop(grab(*list), row(*list, 3)), crop(grab(*list), row(*list, 3)));
    const QImage before = crop(grab(*list), row(*list, 3));
    list->ListItems().Item(3).SetEnabled(false);
    list->Refresh();
    const QImage after = crop(grab(*list), row(*list, 3));
    QVERIFY(before != after);
    // The background is the same; the text and picture are what change.
    QCOMPARE(after.pixelColor(after.width() - 2, 2), before.pixelColor(before.width() - 2, 2));
}

void DrawingTest::disabledListIsGreyed()
{
    auto list = characterList();
    QVERIFY(QTest::qWaitForWindowExposed(list.get()));
    const QImage enabled = grab(*list);
    list->setEnabled(false);
    const QImage disabled = grab(*list);
    QVERIFY(crop(enabled, row(*list, 3)) != crop(disabled, row(*list, 3)));
    QVERIFY(crop(enabled, row(*list, 0)) != crop(disabled, row(*list, 0)));
}

void DrawingTest::largeColorRectFillsTheItem()
{
    ListEx list({{QStringLiteral("itemheight"), 30}, {QStringLiteral("style"), ListEx::kvLargeColorRect}});
    list.resize(249, 193);
    list.AddItem(QStringLiteral("Blue"), -1, 0xFF0000);
    list.AddItem(QStringLiteral("Yellow"), -1, 0x00FFFF);
    list.SetListIndex(0);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const QImage image = grab(list);
    const QRect yellow = row(list, 1);
    for (QPoint p : {yellow.center(), yellow.topLeft() + QPoint(6, 6), yellow.bottomRight() - QPoint(6, 6)})
        QCOMPARE(image.pixelColor(p), QColor(255, 255, 0));
    QCOMPARE(image.pixelColor(row(list, 0).center()), QColor(0, 0, 255)); // selected, still its colour
}

void DrawingTest::colorRectAndTextDrawsASwatch()
{
    ListEx list({{QStringLiteral("itemheight"), 30},
                 {QStringLiteral("pictleft"), 4},
                 {QStringLiteral("picttop"), 4},
                 {QStringLiteral("pictwidth"), 22},
                 {QStringLiteral("pictheight"), 22},
                 {QStringLiteral("style"), ListEx::kvColorRectAndText},
                 {QStringLiteral("backcolor"), 0xFFFFFF}});
    list.resize(249, 193);
    list.AddItem(QStringLiteral("Magenta"), -1, 0xFF00FF);
    list.AddItem(QStringLiteral("Other"), -1, 0x000000);
    list.SetListIndex(1);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const QImage image = grab(list);
    const QRect r = row(list, 0);
    QCOMPARE(image.pixelColor(r.topLeft() + QPoint(15, 15)), QColor(255, 0, 255)); // inside the swatch
    QCOMPARE(image.pixelColor(r.topLeft() + QPoint(1, 1)), QColor(255, 255, 255)); // around it
    QCOMPARE(image.pixelColor(r.right() - 2, r.top() + 2), QColor(255, 255, 255)); // right of the text
}

void DrawingTest::crispAtDevicePixelRatio2()
{
    ListEx list({{QStringLiteral("pictwidth"), 32},
                 {QStringLiteral("pictheight"), 32},
                 {QStringLiteral("itemheight"), 40},
                 {QStringLiteral("pictleft"), 4},
                 {QStringLiteral("picttop"), 4}});
    list.resize(200, 100);
    list.AddItem(QStringLiteral("Board"), -1, -1, -1, nullptr, checkerboard());
    list.setFocusPolicy(Qt::NoFocus); // the keyboard's frame would tint the current row
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QImage image(list.viewport()->size() * 2, QImage::Format_RGB32);
    image.setDevicePixelRatio(2);
    image.fill(Qt::gray);
    list.viewport()->render(&image);
    const QPoint box = row(list, 0).topLeft() * 2 + QPoint(8, 8);
    // Each picture pixel is an exact 2 x 2 block: no blur between black and white.
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            const QRgb expected = (x + y) % 2 ? qRgb(255, 255, 255) : qRgb(0, 0, 0);
            for (QPoint d : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(1, 1)})
                QCOMPARE(image.pixel(box + QPoint(2 * x, 2 * y) + d), expected);
        }
}

void DrawingTest::itemFontIsDrawn_data()
{
    QTest::addColumn<QString>("change");
    QTest::newRow("bold") << "bold";
    QTest::newRow("underline") << "underline";
    QTest::newRow("strikethrough") << "strikethrough";
    QTest::newRow("family") << "family";
}

// An item's own font, changed in place and refreshed, is what its row shows; its neighbour stays.
void DrawingTest::itemFontIsDrawn()
{
    QFETCH(QString, change);
    auto list = characterList();
    QVERIFY(QTest::qWaitForWindowExposed(list.get()));
    const QImage before = grab(*list);
    const rowpixels::Ink plain = textInk(*list, before, 3, 40);
    QVERIFY(plain.any());

    QFont &font = list->ListItems().Item(3).Font();
    if (change == u"bold")
        font.setBold(true);
    else if (change == u"underline")
        font.setUnderline(true);
    else if (change == u"strikethrough")
        font.setStrikeOut(true);
    else
        font.setFamily(QStringLiteral("C059"));
    list->Refresh();
    const QImage after = grab(*list);
    const rowpixels::Ink changed = textInk(*list, after, 3, 40);
    const int top = row(*list, 3).top() + 1;

    if (change == u"bold") {
        QVERIFY2(changed.count > plain.count * 1.15,
                 qPrintable(QStringLiteral("%1 ink pixels, regular %2").arg(changed.count).arg(plain.count)));
    } else if (change == u"underline") {
        QVERIFY(!plain.lineAcross(0.6, 1.0, 0.9, top));
        QVERIFY(changed.lineAcross(0.6, 1.0, 0.9, top));
    } else if (change == u"strikethrough") {
        QVERIFY(!plain.lineAcross(0.2, 0.8, 0.9, top));
        QVERIFY(changed.lineAcross(0.2, 0.8, 0.9, top));
    } else {
        // The font engine's own drawing of the text tells which face drew the row.
        const QString text = list->ListItems().Item(3).Text();
        const QRect area = row(*list, 3).adjusted(40, 1, -6, -1);
        const QImage drawn = rowpixels::inkMask(after, area, changed.ground);
        const int toSerif = rowpixels::maskDistance(drawn, rowpixels::textMask(text, font));
        const int toSans = rowpixels::maskDistance(drawn, rowpixels::textMask(text, list->font()));
        QVERIFY2(toSerif * 2 < toSans, qPrintable(QStringLiteral("differs from the serif face in %1 pixels, "
                                                                 "from the list's face in %2")
                                                      .arg(toSerif)
                                                      .arg(toSans)));
    }
    QCOMPARE(crop(after, row(*list, 2)), crop(before, row(*list, 2)));
}

void DrawingTest::textTheFaceLacksIsDrawnAsQtDrawsIt_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("drawnAs");
    QTest::addColumn<bool>("anotherFaceHasIt");
    QTest::newRow("another face has it") << QStringLiteral("\u0462 Yat \u04d8") << QString() << true;
    QTest::newRow("no face has it") << QStringLiteral("A \U000F0000 B") << QString() << false;
    QTest::newRow("line breaks show as spaces")
        << QStringLiteral("Grace\nHopper\u2028Navy") << QStringLiteral("Grace Hopper Navy") << false;
}

// Characters the list's face lacks come from the face that has them, or show the list face's
// missing-glyph box where none has: as Qt itself draws the text.
void DrawingTest::textTheFaceLacksIsDrawnAsQtDrawsIt()
{
    QFETCH(QString, text);
    QFETCH(QString, drawnAs);
    QFETCH(bool, anotherFaceHasIt);
    auto list = characterList();
    QVERIFY(QTest::qWaitForWindowExposed(list.get()));
    KvListEx::ListExItem item = list->item(3);
    item.setText(text);
    QVERIFY(list->setItem(3, item));

    const QImage after = grab(*list);
    const rowpixels::Ink ink = textInk(*list, after, 3, 40);
    const QImage drawn = rowpixels::inkMask(after, row(*list, 3).adjusted(40, 1, -6, -1), ink.ground);
    QFont alone = list->font();
    alone.setStyleStrategy(QFont::NoFontMerging);
    const QString shown = drawnAs.isEmpty() ? text : drawnAs;
    const int toMerged = rowpixels::maskDistance(drawn, rowpixels::textMask(shown, list->font()));
    const int toAlone = rowpixels::maskDistance(drawn, rowpixels::textMask(shown, alone));
    const QString figures =
        QString::asprintf("%d off Qt's drawing, %d off the face alone", toMerged, toAlone);
    QVERIFY2(toMerged * 10 < ink.count, qPrintable(figures));
    QVERIFY2(!anotherFaceHasIt || toMerged * 2 < toAlone, qPrintable(figures));
}

void DrawingTest::textIsReadableOnItsGround_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<bool>("dark");
    QTest::addColumn<bool>("chooseDisabled");
    for (const char *kind : {"characters", "colours", "palette colours"})
        for (bool dark : {false, true})
            for (bool chooseDisabled : {false, true})
                QTest::addRow("%s, %s palette, selection on %s item", kind, dark ? "dark" : "default",
                              chooseDisabled ? "a disabled" : "an enabled")
                    << QString::fromLatin1(kind) << dark << chooseDisabled;
}

// Every row's text, and a swatch's outline, can be read on the ground it is drawn on: selected,
// disabled, on its own background or the list's, in the default and a dark palette. Only a stored
// item colour is drawn as given.
void DrawingTest::textIsReadableOnItsGround()
{
    QFETCH(QString, kind);
    QFETCH(bool, dark);
    QFETCH(bool, chooseDisabled);
    auto list = listOfKind(kind);
    if (dark)
        list->setPalette(darkPalette());
    const bool colourStyle = list->Style() == ListEx::kvColorRectAndText;
    const OleColor swatch = colourStyle ? 0x00FFFF : kvNoColor;
    list->AddItem(QStringLiteral("Plain"), -1, swatch);
    list->AddItem(QStringLiteral("Pink"), -1, swatch, 0xC0C0FF);
    list->AddItem(QStringLiteral("Red"), -1, colourStyle ? swatch : 255);
    list->AddItem(QStringLiteral("Off"), -1, swatch);
    list->AddItem(QStringLiteral("Chosen"), -1, swatch);
    list->AddItem(QStringLiteral("Last"), -1, swatch);
    list->ListItems().Item(3).SetEnabled(false);
    list->ListItems().Item(4).SetEnabled(!chooseDisabled);
    list->SetListIndex(4);
    list->show();
    QVERIFY(QTest::qWaitForWindowExposed(list.get()));
    const QImage image = grab(*list);
    for (int r = 0; r < 6; ++r) {
        const rowpixels::Ink ink = textInk(*list, image, r, textStart(*list));
        QVERIFY2(ink.any(), qPrintable(QStringLiteral("row %1 shows no text").arg(r)));
        if (r == 2 && !colourStyle) { // the stored item colour is kept
            QVERIFY(ink.strongestColor.red() > 200 && ink.strongestColor.green() < 80);
            continue;
        }
        if (r == 4 && !chooseDisabled && kind != u"characters") { // the palette's own selection colours
            QVERIFY(rowpixels::contrast(ink.strongestColor, readableSelectionText(list->palette())) < 1.2);
            QCOMPARE(ink.ground, list->palette().color(QPalette::Highlight));
            continue;
        }
        QVERIFY2(ink.strongest >= 4.5, qPrintable(QStringLiteral("row %1: text %2 on %3, contrast %4")
                                                      .arg(r)
                                                      .arg(ink.strongestColor.name(), ink.ground.name())
                                                      .arg(ink.strongest, 0, 'f', 2)));
        if (colourStyle) {
            const QRect box = row(*list, r);
            const QPoint outline(box.left() + list->pictLeft(),
                                 box.top() + list->pictTop() + list->pictHeight() / 2);
            QVERIFY2(rowpixels::contrast(image.pixelColor(outline), ink.ground) >= 4.5,
                     qPrintable(QStringLiteral("row %1: outline %2 on %3")
                                    .arg(r)
                                    .arg(image.pixelColor(outline).name(), ink.ground.name())));
        }
    }
}

void DrawingTest::disabledSelectionKeepsTheSelectionGround()
{
    auto list = characterList();
    list->ListItems().Item(3).SetEnabled(false);
    list->SetListIndex(3); // the program may choose a disabled item
    QVERIFY(QTest::qWaitForWindowExposed(list.get()));
    const QImage image = grab(*list);
    QCOMPARE(image.pixelColor(row(*list, 3).topRight() - QPoint(2, -2)), QColor(128, 255, 128));
    QCOMPARE(image.pixelColor(row(*list, 0).topRight() - QPoint(2, -2)), QColor(192, 255, 255));
}

void DrawingTest::rowFollowsItsSettingAndState_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("state");
    for (const char *setting : {"default palette", "dark palette", "style sheet", "right-to-left"})
        for (const char *state : {"selected", "disabled", "own colour", "own font"})
            QTest::addRow("%s, %s row", setting, state)
                << QString::fromLatin1(setting) << QString::fromLatin1(state);
}

// Each row is drawn from the list's setting (palette, style sheet, direction) and its state: the
// picture on the leading side, the text after it, readable on the ground the style drew.
void DrawingTest::rowFollowsItsSettingAndState()
{
    QFETCH(QString, setting);
    QFETCH(QString, state);
    ListEx list({{QStringLiteral("pictwidth"), 32},
                 {QStringLiteral("pictheight"), 32},
                 {QStringLiteral("itemheight"), 40}});
    list.resize(240, 300);
    const QColor sheetGround(0, 0x44, 0), red(255, 0, 0);
    if (setting == u"dark palette")
        list.setPalette(darkPalette());
    else if (setting == u"style sheet")
        list.setStyleSheet(QStringLiteral("KvListEx--ListEx { selection-color: white }"
                                          "KvListEx--ListEx::item { background: #101010 }"
                                          "KvListEx--ListEx::item:selected { background: #004400 }"));
    else if (setting == u"right-to-left")
        list.setLayoutDirection(Qt::RightToLeft);
    QFont big = list.font();
    big.setPointSize(22);
    list.AddItem(QStringLiteral("Plain"), -1, -1, -1, nullptr, figure());
    list.AddItem(QStringLiteral("Chosen"), -1, -1, -1, nullptr, figure());
    list.AddItem(QStringLiteral("Off"), -1, -1, -1, nullptr, figure());
    list.AddItem(QStringLiteral("Red"), -1, 0x0000FF, -1, nullptr, figure());
    list.AddItem(QStringLiteral("Big"), -1, -1, -1, &big, figure());
    list.ListItems().Item(2).SetEnabled(false);
    const int r = state == u"selected" ? 1 : state == u"disabled" ? 2 : state == u"own colour" ? 3 : 4;
    list.SetListIndex(state == u"own colour" ? 0 : 1);
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    QImage image = grab(list);
    const QRect rect = row(list, r);
    const bool rtl = setting == u"right-to-left";
    // Mirrored positions: x from the row's leading edge.
    const auto at = [&](int x, int y) {
        return QPoint(rtl ? rect.right() - x : rect.left() + x, rect.top() + y);
    };
    const QColor middle = image.pixelColor(at(2 + 16, 2 + 16)); // the figure's, dimmed if disabled
    QVERIFY2(middle.red() - middle.green() > 60, qPrintable(middle.name()));
    const QColor ground = image.pixelColor(at(rect.width() - 3, rect.height() / 2));
    const QRect textArea =
        rtl ? rect.adjusted(3, 1, -(2 + 32 + 2), -1) : rect.adjusted(2 + 32 + 2, 1, -3, -1);
    rowpixels::Ink ink = rowpixels::inkIn(image, textArea, ground);
    QVERIFY(ink.any());
    // The text starts on the leading side, next to the picture.
    QVERIFY2(rtl ? ink.box.right() > textArea.right() - 8 : ink.box.left() < textArea.left() + 8,
             qPrintable(QStringLiteral("text at %1..%2").arg(ink.box.left()).arg(ink.box.right())));
    const QColor selectionText = setting == u"style sheet" ? list.palette().color(QPalette::HighlightedText)
                                                           : readableSelectionText(list.palette());
    if (state == u"own colour") { // as given where it is not selected
        QVERIFY(rowpixels::contrast(ink.strongestColor, red) < 1.3);
        list.SetListIndex(r);
        image = grab(list);
        ink = rowpixels::inkIn(image, textArea, image.pixelColor(at(rect.width() - 3, rect.height() / 2)));
        // Selected, it keeps its colour only where that reads 4.5:1 on the selection.
        const QColor expected = rowpixels::contrast(red, ink.ground) >= 4.5 ? red : selectionText;
        QVERIFY2(rowpixels::contrast(ink.strongestColor, expected) < 1.3,
                 qPrintable(ink.strongestColor.name()));
    }
    if (state == u"selected" || state == u"own colour") {
        QCOMPARE(ink.ground,
                 setting == u"style sheet" ? sheetGround : list.palette().color(QPalette::Highlight));
        QVERIFY(rowpixels::contrast(ink.strongestColor, selectionText) < 1.3 || ink.strongestColor == red);
        return;
    }
    if (state == u"disabled") { // dimmer than an enabled row's text
        const QRect plainRow = row(list, 0);
        const rowpixels::Ink plain =
            rowpixels::inkIn(image, textArea.translated(0, plainRow.top() - rect.top()),
                             image.pixelColor(plainRow.center().x(), plainRow.top() + 2));
        QVERIFY(ink.strongest < plain.strongest);
    } else { // the row holds its font's full height, and the text is large
        QVERIFY(rect.height() >= QFontMetrics(big).height());
        QVERIFY(ink.box.height() >= QFontMetrics(big).capHeight());
    }
    QVERIFY2(ink.strongest >= 4.5, qPrintable(QStringLiteral("text %1 on %2, contrast %3")
                                                  .arg(ink.strongestColor.name(), ink.ground.name())
                                                  .arg(ink.strongest, 0, 'f', 2)));
}

QTEST_MAIN(DrawingTest)
// Focus alone makes a row current without selecting it: the style still marks the keyboard's place.
void DrawingTest::keyboardPlaceShowsOnAnUnselectedRow()
{
    ListEx list;
    list.resize(200, 100);
    list.AddItem(QStringLiteral("One"));
    list.AddItem(QStringLiteral("Two"));
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    list.setFocus();
    QTRY_COMPARE(list.currentIndex().row(), 0);
    QCOMPARE(list.selectedRows(), QList<int>{});
    const QImage image = grab(list);
    const auto groundOf = [&](int r) {
        return image.pixelColor(row(list, r).right() - 3, row(list, r).center().y());
    };
    QVERIFY(groundOf(0) != groundOf(1));
}

#include "tst_drawing.moc"
