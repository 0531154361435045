// SPDX-License-Identifier: BSD-3-Clause
// The screen font set against a private font set of known files.
#include "fontsandbox.h"
#include "rowpixels.h"
#include <KvListEx/classic.h>

#include <QApplication>
#include <QFontDatabase>
#include <QScopeGuard>
#include <QtTest>

using namespace KvListEx::Classic;

class ScreenFontsTest : public QObject {
    Q_OBJECT
private slots:
    void oneSortedItemPerFamily();
    void kindsFromTheFontFiles_data();
    void kindsFromTheFontFiles();
    void itemsCarryTheirFace();
    void rowsAreDrawnInTheirFace_data();
    void rowsAreDrawnInTheirFace();
};

void ScreenFontsTest::oneSortedItemPerFamily()
{
    ListEx list({{QStringLiteral("sorted"), true}});
    list.AddScreenFonts();
    QStringList names;
    for (int i = 0; i < list.ListItems().Count(); ++i)
        names << list.ListItems().Item(i).Text();
    QStringList expected;
    for (const SandboxFont &f : kSandboxFonts)
        expected << QString::fromUtf8(f.family);
    expected.removeDuplicates();
    std::sort(expected.begin(), expected.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    QCOMPARE(names, expected);
}

void ScreenFontsTest::kindsFromTheFontFiles_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("kind");
    QTest::newRow("TrueType file: 4") << "Liberation Sans" << 4;
    QTest::newRow("Type 1 file: vector, 0") << "C059" << 0;
    QTest::newRow("BDF bitmap file: raster, 1") << "Kv Test Bitmap" << 1;
    QTest::newRow("Type 1 and OpenType files: the OpenType kind, 4") << "Nimbus Roman" << 4;
}

void ScreenFontsTest::kindsFromTheFontFiles()
{
    QFETCH(QString, family);
    QFETCH(int, kind);
    ListEx list;
    list.AddScreenFonts();
    const int row = list.FindItem(family, true);
    QVERIFY(row >= 0);
    list.SetListIndex(list.FindItem(QStringLiteral("Kv Test Bitmap"), true)); // dark text on white here
    QCOMPARE(list.ListItems().Item(row).FontType(), kind);
}

void ScreenFontsTest::itemsCarryTheirFace()
{
    QFont listFont(QStringLiteral("Liberation Sans"));
    listFont.setPointSizeF(8.25);
    ListEx list({{QStringLiteral("font"), QVariant::fromValue(listFont)}});
    list.AddScreenFonts();
    for (int i = 0; i < list.ListItems().Count(); ++i) {
        ListItem item = list.ListItems().Item(i);
        QCOMPARE(item.Font().family(), item.Text());
        QCOMPARE(item.Font().pointSizeF(), 8.25);
    }
}

void ScreenFontsTest::rowsAreDrawnInTheirFace_data()
{
    QTest::addColumn<QString>("family");
    QTest::newRow("serif face") << "C059";
    QTest::newRow("the list's own face") << "Liberation Sans";
    QTest::newRow("a family at two foundries") << "Nimbus Roman";
    QTest::newRow("signs instead of letters: the list's face") << "D050000L";
    QTest::newRow("a name holding brackets: whole, in the list's face") << "Kv Bracket [x1]";
}

// Each font's row shows its name in that font, once its face has been looked at.
void ScreenFontsTest::rowsAreDrawnInTheirFace()
{
    QFETCH(QString, family);
    // Qt reads it as the family "Kv Bracket" at the foundry "x1": its face cannot be asked for.
    const int added = family.contains(u'[')
                          ? QFontDatabase::addApplicationFont(QStringLiteral(KV_TEST_DATA "/kvbracket.ttf"))
                          : -1;
    const auto removeAdded = qScopeGuard([added] { QFontDatabase::removeApplicationFont(added); });
    QFont listFont(QStringLiteral("Liberation Sans"));
    listFont.setPointSizeF(14);
    ListEx list({{QStringLiteral("font"), QVariant::fromValue(listFont)}, {QStringLiteral("style"), 0}});
    list.resize(300, 200);
    list.AddScreenFonts();
    list.show();
    QVERIFY(QTest::qWaitForWindowExposed(&list));
    const int row = list.FindItem(family, true);
    QVERIFY(row >= 0);
    list.SetListIndex(list.FindItem(QStringLiteral("Kv Test Bitmap"), true)); // dark text on white here
    const QModelIndex index = list.itemModel()->index(row, 0);
    const bool signs = family == u"D050000L" || added >= 0;
    list.Refresh(); // as the font page does after filling
    if (signs) {
        QTest::qWait(200); // time enough for its face to be looked at, were it asked for
        QVERIFY(!index.data(Qt::FontRole).isValid());
    } else {
        QTRY_VERIFY(index.data(Qt::FontRole).isValid());
    }
    const QImage image = list.viewport()->grab().toImage();
    const QRect area = list.visualRect(index).adjusted(list.textLeft(), 1, -2, -1);
    const QColor ground = image.pixelColor(area.right(), area.center().y());
    const QImage drawn = rowpixels::inkMask(image, area, ground);
    QFont face = listFont;
    face.setFamily(signs ? QStringLiteral("Liberation Sans") : family);
    const int toFace = rowpixels::maskDistance(drawn, rowpixels::textMask(family, face));
    const int toSerif =
        rowpixels::maskDistance(drawn, rowpixels::textMask(family, QFont(QStringLiteral("C059"), 14)));
    const int toSans = rowpixels::maskDistance(drawn, rowpixels::textMask(family, listFont));
    QVERIFY2(toFace <= std::min(toSerif, toSans),
             qPrintable(QStringLiteral("%1 pixels from its face, %2 from C059, %3 from "
                                       "Liberation Sans")
                            .arg(toFace)
                            .arg(toSerif)
                            .arg(toSans)));
}

int main(int argc, char *argv[])
{
    useFontSandbox();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ScreenFontsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screenfonts.moc"
