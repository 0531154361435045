// SPDX-License-Identifier: BSD-3-Clause
// The Font page against a private font set: names and kinds come from that set.
#include "application.h"
#include "fontsandbox.h"
#include "rowpixels.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>

using KvListEx::Classic::ListEx;

class FontPageTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_w = openWindow(0); }
    void cleanup() { m_w.reset(); }

    void sortedWithTheFirstFontShown();
    void kindCaptions_data();
    void kindCaptions();
    void kindWithoutAWordKeepsTheCaption_data();
    void kindWithoutAWordKeepsTheCaption();
    void attributesSurviveAFontChange();
    void uncheckingOneAttributeLeavesTheRest();
    void everyWayOfTickingSetsTheAttribute_data() { addTickWays(); }
    void everyWayOfTickingSetsTheAttribute();
    void sampleSizeNeverChanges();
    void sampleOfAFaceWithoutItsLettersIsThatFace(); // last: it adds a family

private:
    int row(const QString &family) const;
    QCheckBox *box(int i) const { return m_w->chkFont[i]; }
    std::unique_ptr<frmMain> m_w;
};

int FontPageTest::row(const QString &family) const
{
    const auto items = m_w->ListEx1->ListItems();
    for (int i = 0; i < items.Count(); ++i)
        if (items.Item(i).Text() == family)
            return i;
    return -1;
}

void FontPageTest::sortedWithTheFirstFontShown()
{
    QStringList expected; // the private set's families, one item each, sorted
    for (const SandboxFont &font : kSandboxFonts)
        expected << QString::fromUtf8(font.family);
    expected.removeDuplicates();
    std::sort(expected.begin(), expected.end(),
              [](const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    QStringList listed;
    const auto items = m_w->ListEx1->ListItems();
    for (int i = 0; i < items.Count(); ++i)
        listed << items.Item(i).Text();
    QCOMPARE(listed, expected);
    QCOMPARE(m_w->ListEx1->ListIndex(), 0);
    // The labels show the first font as soon as the window opens.
    QCOMPARE(m_w->lblFontSample->font().family(), items.Item(0).Font().family());
    QVERIFY(m_w->lblFontType->text().startsWith(QStringLiteral("Font Type: ")));
}

void FontPageTest::kindCaptions_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<QString>("caption");
    const char *words[] = {"Vector", "Raster", "Device", "", "True Type"};
    QStringList seen; // a family with two files is one item
    for (const SandboxFont &font : kSandboxFonts) {
        const QString family = QString::fromUtf8(font.family);
        if (seen.contains(family))
            continue;
        seen << family;
        QTest::newRow(font.family) << family
                                   << QStringLiteral("Font Type: ") + QLatin1String(words[font.kind]);
    }
}

void FontPageTest::kindCaptions()
{
    QFETCH(QString, family);
    QFETCH(QString, caption);
    const int r = row(family);
    QVERIFY(r >= 0);
    // Start from another font so the caption has to change.
    clickItem(m_w->ListEx1, r == 0 ? 1 : 0);
    clickItem(m_w->ListEx1, r);
    QCOMPARE(m_w->ListEx1->ListIndex(), r);
    QCOMPARE(m_w->lblFontType->text(), caption);
    QCOMPARE(m_w->lblFontSample->font().family(), family);
    QCOMPARE(m_w->lblFontSample->text(), QStringLiteral("Sample text"));
}

void FontPageTest::kindWithoutAWordKeepsTheCaption_data()
{
    QTest::addColumn<int>("kind");
    QTest::newRow("raster and device together (3)") << 3;
    QTest::newRow("6") << 6;
    QTest::newRow("negative") << -1;
}

void FontPageTest::kindWithoutAWordKeepsTheCaption()
{
    QFETCH(int, kind);
    clickItem(m_w->ListEx1, row(QStringLiteral("Liberation Sans")));
    const QString before = m_w->lblFontType->text();
    QCOMPARE(before, QStringLiteral("Font Type: True Type"));
    // An item of a kind without a word, in another face.
    m_w->ListEx1->AddItem(QStringLiteral("zz odd kind"));
    const int odd = m_w->ListEx1->ListItems().Count() - 1;
    KvListEx::Classic::ListItem item = m_w->ListEx1->ListItems().Item(odd);
    item.SetFontType(kind);
    item.Font().setFamily(QStringLiteral("C059"));
    m_w->ListEx1->SetListIndex(odd);
    QCOMPARE(m_w->lblFontType->text(), before);
    QCOMPARE(m_w->lblFontSample->font().family(), QStringLiteral("C059")); // the name still changes
}

void FontPageTest::attributesSurviveAFontChange()
{
    QTest::mouseClick(box(0), Qt::LeftButton);
    QTest::mouseClick(box(1), Qt::LeftButton);
    clickItem(m_w->ListEx1, row(QStringLiteral("C059")));
    const QFont sample = m_w->lblFontSample->font();
    QCOMPARE(sample.family(), QStringLiteral("C059"));
    QVERIFY(sample.bold());
    QVERIFY(sample.italic());
    QVERIFY(!sample.underline());
    QVERIFY(!sample.strikeOut());
    QVERIFY(box(0)->isChecked() && box(1)->isChecked());
    // What the user sees changes too: the sample is drawn differently from a regular one.
    QVERIFY(QFontInfo(sample).bold());
}

void FontPageTest::uncheckingOneAttributeLeavesTheRest()
{
    clickItem(m_w->ListEx1, row(QStringLiteral("Liberation Sans")));
    for (int i = 0; i < 4; ++i)
        QTest::mouseClick(box(i), Qt::LeftButton);
    QTest::mouseClick(box(2), Qt::LeftButton);
    const QFont sample = m_w->lblFontSample->font();
    QVERIFY(sample.bold());
    QVERIFY(sample.italic());
    QVERIFY(!sample.underline());
    QVERIFY(sample.strikeOut());
    QCOMPARE(sample.family(), QStringLiteral("Liberation Sans"));
}

void FontPageTest::everyWayOfTickingSetsTheAttribute()
{
    QFETCH(QString, way);
    clickItem(m_w->ListEx1, row(QStringLiteral("Liberation Sans")));
    const QImage regular = m_w->lblFontSample->grab().toImage();
    tick(box(0), way);
    QVERIFY(box(0)->isChecked());
    QVERIFY(m_w->lblFontSample->font().bold());
    QVERIFY(m_w->lblFontSample->grab().toImage() != regular); // drawn bold, not only set
    tick(box(3), way);
    QVERIFY(m_w->lblFontSample->font().strikeOut());
    tick(box(0), way);
    QVERIFY(!m_w->lblFontSample->font().bold());
    QVERIFY(m_w->lblFontSample->font().strikeOut());
}

void FontPageTest::sampleSizeNeverChanges()
{
    const auto items = m_w->ListEx1->ListItems();
    for (int i = 0; i < items.Count(); ++i) {
        clickItem(m_w->ListEx1, i);
        QCOMPARE(m_w->lblFontSample->font().pointSizeF(), 18.0);
    }
    for (int i = 0; i < 4; ++i) {
        QTest::mouseClick(box(i), Qt::LeftButton);
        QCOMPARE(m_w->lblFontSample->font().pointSizeF(), 18.0);
    }
    QCOMPARE(m_w->lblFontSample->size(), QSize(193, 65));
}

// A face without the sample's letters draws them as its own missing-glyph boxes, not in a face
// Qt finds for them.
void FontPageTest::sampleOfAFaceWithoutItsLettersIsThatFace()
{
    const int id = QFontDatabase::addApplicationFont(QStringLiteral(KV_TEST_DATA "/kvdigits.ttf"));
    QVERIFY(id >= 0);
    KvListEx::ListExItem digits(QStringLiteral("Kv Digits"));
    digits.setFont(QFont(QStringLiteral("Kv Digits")));
    m_w->ListEx1->addItem(digits);
    clickItem(m_w->ListEx1, row(QStringLiteral("Kv Digits")));
    QFont alone = m_w->lblFontSample->font();
    QCOMPARE(alone.family(), QStringLiteral("Kv Digits"));
    alone.setStyleStrategy(QFont::NoFontMerging);
    QFont merged = alone;
    merged.setStyleStrategy(QFont::PreferDefault);
    const QImage shown = m_w->lblFontSample->grab().toImage();
    const QImage ink = rowpixels::inkMask(shown, shown.rect(), shown.pixelColor(0, 0));
    const int toAlone = rowpixels::maskDistance(ink, rowpixels::textMask(m_w->lblFontSample->text(), alone));
    const int toMerged =
        rowpixels::maskDistance(ink, rowpixels::textMask(m_w->lblFontSample->text(), merged));
    QVERIFY2(toAlone * 2 < toMerged, qPrintable(QStringLiteral("%1 / %2").arg(toAlone).arg(toMerged)));
    QFontDatabase::removeApplicationFont(id);
}

int main(int argc, char *argv[])
{
    useFontSandbox();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    FontPageTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fontpage.moc"
