// SPDX-License-Identifier: BSD-3-Clause
// The Picture page's character list and its description line.
#include "fontsandbox.h"
#include "resourcepictures.h"
#include "windowfixture.h"

#include <QLabel>

class CharacterPageTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { useFontSandbox(); }

private slots:
    void init() { m_w = openWindow(2); }
    void cleanup() { m_w.reset(); }

    void nineteenItemsWithTheirPresets();
    void coloursPerRow_data();
    void coloursPerRow();
    void eachBitmapLoadedOnceAnd114Never();
    void greenGroundShowsTheBackground_data();
    void greenGroundShowsTheBackground();
    void selectingReplacesTheDescription();
    void changedItemsKeepTheirDescription();
    void startUpDrawsOnlyRufusBoldAndUnderlined();

private:
    std::unique_ptr<frmMain> m_w;
};

void CharacterPageTest::nineteenItemsWithTheirPresets()
{
    const auto items = m_w->ListEx3->ListItems();
    QCOMPARE(items.Count(), 19);
    QCOMPARE(items.Item(0).Text(), QStringLiteral("Oswin Tarrant"));
    QCOMPARE(items.Item(14).Text(), QStringLiteral(" Toby Ainsworth"));
    QCOMPARE(items.Item(18).Text(), QStringLiteral("Chief Horace Dunmore"));
    for (int i = 0; i < 19; ++i) {
        KvListEx::Classic::ListItem item = items.Item(i);
        QCOMPARE(item.Font().bold(), i == 2);
        QCOMPARE(item.Font().underline(), i == 2);
        QVERIFY(item.Enabled());
        QVERIFY2(item.Description().size() >= 11 && item.Description().size() <= 90,
                 qPrintable(item.Description()));
    }
    QCOMPARE(m_w->ListEx3->ListIndex(), 0);
    QCOMPARE(m_w->lblDescr->text(), items.Item(0).Description());
}

void CharacterPageTest::coloursPerRow_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("itemColor");
    QTest::addColumn<int>("backColor");
    for (int row = 0; row < 19; ++row) {
        const bool female = row == 1 || row == 3 || row == 4 || row == 9;
        QTest::addRow("row %d", row) << row << (row == 2 ? 255 : -1) << (female ? 0xC0C0FF : -1);
    }
}

void CharacterPageTest::coloursPerRow()
{
    QFETCH(int, row);
    QFETCH(int, itemColor);
    QFETCH(int, backColor);
    KvListEx::Classic::ListItem item = m_w->ListEx3->ListItems().Item(row);
    QCOMPARE(item.ItemColor(), itemColor);
    QCOMPARE(item.BackColor(), backColor);
}

void CharacterPageTest::eachBitmapLoadedOnceAnd114Never()
{
    QMap<int, int> asked;
    m_w->setPictureLoader([&asked](int id) {
        ++asked[id];
        return LoadResPicture(id);
    });
    m_w->LoadCharacters();
    QCOMPARE(asked.size(), 19);
    QVERIFY(!asked.contains(114));
    for (int id = 101; id <= 120; ++id) {
        if (id != 114)
            QCOMPARE(asked.value(id), 1);
    }
    // 114 is in the resources all the same.
    QCOMPARE(LoadResPicture(114).size(), QSize(32, 32));
}

void CharacterPageTest::greenGroundShowsTheBackground_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QColor>("ground");
    QTest::newRow("male row shows the list's light cyan") << 5 << QColor(192, 255, 255);
    QTest::newRow("female row shows pink") << 1 << QColor(255, 192, 192);
    QTest::newRow("selected row shows the selection colour") << 0 << QColor(128, 255, 128);
}

void CharacterPageTest::greenGroundShowsTheBackground()
{
    QFETCH(int, row);
    QFETCH(QColor, ground);
    const QImage image = grabList(m_w->ListEx3);
    const QRect item = m_w->ListEx3->visualRect(m_w->ListEx3->model()->index(row, 0));
    // The picture box starts 4 px in; the pictures' corners are green ground.
    const QPoint corner = item.topLeft() + QPoint(4, 4);
    QCOMPARE(image.pixelColor(corner), ground);
    QCOMPARE(image.pixelColor(corner + QPoint(31, 0)), ground);
    // And the figure itself is drawn: the picture box is not all ground.
    bool figure = false;
    for (int y = 0; y < 32 && !figure; ++y)
        for (int x = 0; x < 32 && !figure; ++x)
            figure = image.pixelColor(corner + QPoint(x, y)) != ground;
    QVERIFY(figure);
}

void CharacterPageTest::selectingReplacesTheDescription()
{
    const auto items = m_w->ListEx3->ListItems();
    for (int row : {3, 14, 7}) {
        clickItem(m_w->ListEx3, row);
        QCOMPARE(m_w->ListEx3->ListIndex(), row);
        QCOMPARE(m_w->lblDescr->text(), items.Item(row).Description());
    }
    QTest::keyClick(m_w->ListEx3, Qt::Key_Down);
    QCOMPARE(m_w->lblDescr->text(), items.Item(8).Description());
}

void CharacterPageTest::changedItemsKeepTheirDescription()
{
    const auto items = m_w->ListEx3->ListItems();
    items.Item(6).SetEnabled(false);
    items.Item(9).Font().setUnderline(true);
    m_w->ListEx3->Refresh();
    m_w->ListEx3->SetListIndex(6);
    QCOMPARE(m_w->lblDescr->text(), items.Item(6).Description());
    clickItem(m_w->ListEx3, 9);
    QCOMPARE(m_w->lblDescr->text(), items.Item(9).Description());
}

// Read from the drawn rows: the font presets show on row 2 alone.
void CharacterPageTest::startUpDrawsOnlyRufusBoldAndUnderlined()
{
    KvListEx::Classic::ListEx *list = m_w->ListEx3;
    int seen = 0;
    for (int row = 0; row < list->ListItems().Count(); ++row) {
        if (!list->viewport()->rect().contains(list->visualRect(list->model()->index(row, 0))))
            continue;
        ++seen;
        const RowText drawn = rowText(list, row);
        QVERIFY(drawn.ink.any());
        QCOMPARE(drawn.bold, row == 2);
        QCOMPARE(drawn.underlined, row == 2);
    }
    QVERIFY(seen >= 4);
}

QTEST_MAIN(CharacterPageTest)
#include "tst_characterpage.moc"
