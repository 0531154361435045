// SPDX-License-Identifier: BSD-3-Clause
// The Color page: swatch, colour sets, drawing styles.
#include "fontsandbox.h"
#include "olecolor.h"
#include "windowfixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>

using KvListEx::Classic::ListEx;

class ColorPageTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { useFontSandbox(); }

private slots:
    void init() { m_w = openWindow(1); }
    void cleanup() { m_w.reset(); }

    void startsWithBlueSelected();
    void swatchFollowsTheChosenColour();
    void customSystemCustomGivesTheEightAgain();
    void styleSwitchKeepsItemsAndSelection();
    void newSetIsDrawnInTheChosenStyle();
    void systemColourReachesTheSwatchUnchanged();
    void noteWrapsInsideItsBox();

private:
    QStringList texts() const;
    void clickOption(QRadioButton *option) { QTest::mouseClick(option, Qt::LeftButton); }
    std::unique_ptr<frmMain> m_w;
};

QStringList ColorPageTest::texts() const
{
    QStringList out;
    const auto items = m_w->ListEx2->ListItems();
    for (int i = 0; i < items.Count(); ++i)
        out << items.Item(i).Text();
    return out;
}

void ColorPageTest::startsWithBlueSelected()
{
    QCOMPARE(m_w->ListEx2->ListIndex(), 0);
    QCOMPARE(texts().first(), QStringLiteral("Blue"));
    QCOMPARE(backColor(m_w->lblColor), 0xFF0000);
    QCOMPARE(m_w->ListEx2->Style(), qint32(KvListEx::Classic::ListEx::kvColorRectAndText));
}

void ColorPageTest::swatchFollowsTheChosenColour()
{
    const int black = int(texts().indexOf(QStringLiteral("Black")));
    const int white = int(texts().indexOf(QStringLiteral("White")));
    clickItem(m_w->ListEx2, black);
    QCOMPARE(m_w->ListEx2->ListIndex(), black);
    QCOMPARE(backColor(m_w->lblColor), 0x000000);
    clickItem(m_w->ListEx2, white);
    QCOMPARE(backColor(m_w->lblColor), 0xFFFFFF);
    // What the user sees, not only the property.
    const QImage shown = m_w->lblColor->grab().toImage();
    QCOMPARE(shown.pixelColor(shown.rect().center()), QColor(Qt::white));
}

void ColorPageTest::customSystemCustomGivesTheEightAgain()
{
    const QStringList custom = texts();
    QCOMPARE(custom.size(), 8);
    clickOption(m_w->optColors[1]);
    QVERIFY(m_w->optColors[1]->isChecked());
    QVERIFY(!texts().contains(QStringLiteral("Magenta")));
    QVERIFY(texts().contains(QStringLiteral("Window Text")));
    QCOMPARE(m_w->ListEx2->ListIndex(), 0);
    clickOption(m_w->optColors[0]);
    QCOMPARE(texts(), custom);
    QCOMPARE(m_w->ListEx2->ListIndex(), 0);
    QCOMPARE(backColor(m_w->lblColor), 0xFF0000);
    const qint32 expected[] = {0xFF0000, 0xFFFF00, 0x00FF00, 0xFF00FF,
                               0x0000FF, 0x00FFFF, 0xFFFFFF, 0x000000};
    for (int i = 0; i < 8; ++i)
        QCOMPARE(m_w->ListEx2->ListItems().Item(i).ItemColor(), expected[i]);
}

void ColorPageTest::styleSwitchKeepsItemsAndSelection()
{
    const int magenta = int(texts().indexOf(QStringLiteral("Magenta")));
    clickItem(m_w->ListEx2, magenta);
    const QStringList before = texts();
    const QImage rectStyle = grabList(m_w->ListEx2);
    clickOption(m_w->optStyle[1]);
    QCOMPARE(m_w->ListEx2->Style(), qint32(KvListEx::Classic::ListEx::kvLargeColorRect));
    QCOMPARE(texts(), before);
    QCOMPARE(m_w->ListEx2->ListIndex(), magenta);
    QCOMPARE(backColor(m_w->lblColor), 0xFF00FF);
    QVERIFY(grabList(m_w->ListEx2) != rectStyle);
    clickOption(m_w->optStyle[0]);
    QCOMPARE(m_w->ListEx2->Style(), qint32(KvListEx::Classic::ListEx::kvColorRectAndText));
    QCOMPARE(m_w->ListEx2->ListIndex(), magenta);
}

void ColorPageTest::newSetIsDrawnInTheChosenStyle()
{
    clickOption(m_w->optStyle[1]);
    clickOption(m_w->optColors[1]);
    QCOMPARE(m_w->ListEx2->Style(), qint32(KvListEx::Classic::ListEx::kvLargeColorRect));
    clickOption(m_w->optColors[0]);
    QCOMPARE(m_w->ListEx2->Style(), qint32(KvListEx::Classic::ListEx::kvLargeColorRect));
    // In the large style the item's colour fills its row: "Red" (not selected) is red in the middle.
    const int red = int(texts().indexOf(QStringLiteral("Red")));
    const QImage image = grabList(m_w->ListEx2);
    const QRect row = m_w->ListEx2->visualRect(m_w->ListEx2->model()->index(red, 0));
    QCOMPARE(image.pixelColor(row.center().x() / 2, row.center().y()), QColor(255, 0, 0));
    QCOMPARE(image.pixelColor(row.right() - row.width() / 4, row.center().y()), QColor(255, 0, 0));
}

void ColorPageTest::systemColourReachesTheSwatchUnchanged()
{
    clickOption(m_w->optColors[1]);
    const auto items = m_w->ListEx2->ListItems();
    QVERIFY(items.Count() > 8);
    for (int row : {1, items.Count() / 2, items.Count() - 1}) {
        clickItem(m_w->ListEx2, row);
        QCOMPARE(m_w->ListEx2->ListIndex(), row);
        QCOMPARE(backColor(m_w->lblColor), items.Item(row).ItemColor());
    }
}

void ColorPageTest::noteWrapsInsideItsBox()
{
    const QFontMetrics fm = m_w->Label6->fontMetrics();
    const QRect need = fm.boundingRect(m_w->Label6->contentsRect(), Qt::TextWordWrap, m_w->Label6->text());
    QVERIFY(need.height() >= 2 * fm.height()); // more than one line
    QVERIFY(m_w->Label6->contentsRect().contains(need));
    QVERIFY(m_w->Frame2->rect().contains(m_w->Label6->geometry()));
}

QTEST_MAIN(ColorPageTest)
#include "tst_colorpage.moc"
