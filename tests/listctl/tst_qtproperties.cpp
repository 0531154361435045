// SPDX-License-Identifier: BSD-3-Clause
// The Qt properties and the stored-property keys are two views of one set of settings; setters
// that Qt's property system reaches refuse bad values with a warning, never an exception.
#include "listex.h"

#include <QtTest>

#include <exception>

using namespace KvListEx;

Q_DECLARE_METATYPE(ListEx::Properties)

namespace {

// Fonts compare by what the stored key keeps: family, size and weight.
bool same(const QVariant &a, const QVariant &b)
{
    if (a.metaType() == QMetaType::fromType<QFont>()) {
        const QFont x = a.value<QFont>(), y = b.value<QFont>();
        return x.family() == y.family() && x.pointSizeF() == y.pointSizeF() && x.weight() == y.weight();
    }
    if (a.metaType() == QMetaType::fromType<ListEx::ListStyle>())
        return a.toInt() == b.toInt();
    return a == b;
}

QVariant storedValue(const ListEx::Properties &stored, const QString &key)
{
    for (const auto &[k, v] : stored)
        if (k == key)
            return v;
    return {};
}

QFont font(const char *family, qreal points)
{
    QFont f(QString::fromLatin1(family));
    f.setPointSizeF(points);
    f.setWeight(QFont::Normal);
    return f;
}

} // namespace

class QtPropertiesTest : public QObject {
    Q_OBJECT
private slots:
    void keyAndPropertyShowOneSetting_data();
    void keyAndPropertyShowOneSetting();
    void badValuesThroughThePropertySystemWarn_data();
    void badValuesThroughThePropertySystemWarn();
};

void QtPropertiesTest::keyAndPropertyShowOneSetting_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("stored");  // given to ReadProperties
    QTest::addColumn<QVariant>("shown");   // what the property then reads
    QTest::addColumn<QVariant>("changed"); // given to setProperty
    QTest::addColumn<QVariant>("written"); // what WriteProperties then stores; none: the key is left out

    const auto row = [](const char *name, const char *key, const char *property, const QVariant &stored,
                        const QVariant &shown, const QVariant &changed, const QVariant &written) {
        QTest::newRow(name) << QString::fromLatin1(key) << QByteArray(property) << stored << shown << changed
                            << written;
    };
    const QVariant none;
    // Colours are 0x00BBGGRR under the keys, QColor as properties.
    row("backcolor: light cyan, then 0x123456", "backcolor", "backColor", 0x00FFFFC0,
        QColor(0xC0, 0xFF, 0xFF), QColor(0x12, 0x34, 0x56), 0x00563412);
    row("backcolor: the window colour reads as none, white is stored", "backcolor", "backColor",
        int(0x80000005), QColor(), QColor(Qt::white), 0x00FFFFFF);
    row("selbackcolor: light green, then back to the palette's", "selbackcolor", "selBackColor", 0x0080FF80,
        QColor(128, 255, 128), QColor(), none);
    row("selforecolor: dark blue, then red", "selforecolor", "selForeColor", 0x00C00000, QColor(0, 0, 0xC0),
        QColor(Qt::red), 0x000000FF);
    row("transpcolor: green, then none", "transpcolor", "transpColor", 0x0000FF00, QColor(0, 0xFF, 0),
        QColor(), none);
    row("transpcolor: none, then magenta", "transpcolor", "transpColor", -1, QColor(), QColor(Qt::magenta),
        0x00FF00FF);
    // Offsets and sizes: pixels on both sides.
    row("textleft", "textleft", "textLeft", 4, 4, 9, 9);
    row("pictleft: to 0, not the default", "pictleft", "pictLeft", 4, 4, 0, 0);
    row("picttop: back to the default 2", "picttop", "pictTop", 6, 6, 2, none);
    row("pictwidth", "pictwidth", "pictWidth", 22, 22, 48, 48);
    row("pictheight", "pictheight", "pictHeight", 32, 32, 31, 31);
    row("itemheight: back to the font's", "itemheight", "itemHeight", 40, 40, 0, none);
    // The style's stored number is the enum's value; Qt also sets it by its name.
    row("style: colour boxes, then large pictures", "style", "listStyle", 2,
        QVariant::fromValue(ListEx::kvColorRectAndText), QVariant::fromValue(ListEx::kvLargePicture), 3);
    row("style: text, then large colours by name", "style", "listStyle", 0,
        QVariant::fromValue(ListEx::kvText), QStringLiteral("kvLargeColorRect"), 4);
    row("sorted, then not", "sorted", "sorted", true, true, false, none);
    row("font: the widget's own", "font", "font", font("MS Sans Serif", 9.75), font("MS Sans Serif", 9.75),
        font("Liberation Serif", 12), font("Liberation Serif", 12));
}

void QtPropertiesTest::keyAndPropertyShowOneSetting()
{
    QFETCH(QString, key);
    QFETCH(QByteArray, property);
    QFETCH(QVariant, stored);
    QFETCH(QVariant, shown);
    QFETCH(QVariant, changed);
    QFETCH(QVariant, written);

    ListEx list;
    list.ReadProperties({{key, stored}});
    const QVariant read = list.property(property);
    QVERIFY2(same(shown, read), qPrintable(QDebug::toString(read)));

    QVERIFY(list.setProperty(property, changed));
    const QVariant out = storedValue(list.WriteProperties(), key);
    if (!written.isValid())
        QVERIFY2(!out.isValid(), qPrintable(key + " is still stored: " + QDebug::toString(out)));
    else
        QVERIFY2(same(written, out), qPrintable(QDebug::toString(out)));
}

void QtPropertiesTest::badValuesThroughThePropertySystemWarn_data()
{
    QTest::addColumn<QByteArray>("property");
    QTest::addColumn<QVariant>("bad");
    QTest::addColumn<QString>("warning");
    QTest::newRow("negative offset") << QByteArray("textLeft") << QVariant(-1) << "setTextLeft: -1 ";
    QTest::newRow("picture wider than a size can be")
        << QByteArray("pictWidth") << QVariant(40000) << "setPictWidth: 40000 ";
    QTest::newRow("negative item height") << QByteArray("itemHeight") << QVariant(-5) << "setItemHeight: -5 ";
    QTest::newRow("no style 7") << QByteArray("listStyle") << QVariant(7) << "setListStyle: no style 7";
    QTest::newRow("no item 3 in an empty list") << QByteArray("listIndex") << QVariant(3) << "setListIndex: ";
}

void QtPropertiesTest::badValuesThroughThePropertySystemWarn()
{
    QFETCH(QByteArray, property);
    QFETCH(QVariant, bad);
    QFETCH(QString, warning);

    ListEx list;
    const QVariant before = list.property(property);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QRegularExpression::escape(warning) + ".*ignored"));
    try {
        list.setProperty(property, bad);
    } catch (const std::exception &e) {
        QFAIL(e.what());
    }
    QCOMPARE(list.property(property), before);
}

QTEST_MAIN(QtPropertiesTest)
#include "tst_qtproperties.moc"
