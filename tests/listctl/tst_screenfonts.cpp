// The screen font set against a private font set of known files.
#include "fontsandbox.h"
#include "listex.h"

#include <QApplication>
#include <QtTest>

using namespace KvListEx;

class ScreenFontsTest : public QObject {
    Q_OBJECT
private slots:
    void oneSortedItemPerFamily();
    void kindsFromTheFontFiles_data();
    void kindsFromTheFontFiles();
    void itemsCarryTheirFace();
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
}

void ScreenFontsTest::kindsFromTheFontFiles()
{
    QFETCH(QString, family);
    QFETCH(int, kind);
    ListEx list;
    list.AddScreenFonts();
    const int row = list.FindItem(family, true);
    QVERIFY(row >= 0);
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

int main(int argc, char *argv[])
{
    useFontSandbox();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ScreenFontsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screenfonts.moc"
