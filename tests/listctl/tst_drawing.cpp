// What the list draws, read back from grabbed images.
#include "fontsandbox.h"
#include "listex.h"

#include <QPainter>
#include <QtTest>

using namespace KvListEx;

namespace {

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
    list->AddItem(QStringLiteral("Plain"), -1, -1, -1, nullptr, picture);
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
    return list.visualRect(list.model()->index(r, 0));
}

QImage crop(const QImage &image, const QRect &rect)
{
    return image.copy(rect);
}

} // namespace

class DrawingTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { useFontSandbox(); }

private slots:
    void groundShowsTheBackground_data();
    void groundShowsTheBackground();
    void itemColourShowsInTheText();
    void disabledItemIsDrawnDifferently();
    void disabledListIsGreyed();
    void largeColorRectFillsTheItem();
    void colorRectAndTextDrawsASwatch();
    void crispAtDevicePixelRatio2();
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
    ListEx list({{QStringLiteral("itemheight"), 30}, {QStringLiteral("style"), kvLargeColorRect}});
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
                 {QStringLiteral("style"), kvColorRectAndText},
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

QTEST_MAIN(DrawingTest)
#include "tst_drawing.moc"
