// SPDX-License-Identifier: BSD-3-Clause
// The thin layer over Qt: reading typed numbers, check-box values, typed characters.
#include "checkvalue.h"
#include "fontsandbox.h"
#include "keypress.h"
#include "numbers.h"

#include <QLineEdit>
#include <QtTest>

#include <cmath>
#include <stdexcept>

class AdaptersTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { useFontSandbox(); }

private slots:
    void textToNumber_data();
    void textToNumber();
    void roundsHalfToEven_data();
    void roundsHalfToEven();
    void narrowingOverflows();
    void checkValues();
    void characterCodes_data();
    void characterCodes();
    void filterDiscardsAndReplaces();
};

void AdaptersTest::textToNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("empty reads 0") << "" << 0.0;
    QTest::newRow("one digit") << "7" << 7.0;
    QTest::newRow("two digits") << "18" << 18.0;
    QTest::newRow("leading blank skipped") << " 5" << 5.0;
    QTest::newRow("blank inside skipped") << "1 2" << 12.0;
    QTest::newRow("tab and line feed skipped") << "\t1\n3" << 13.0;
    QTest::newRow("minus sign") << "-1" << -1.0;
    QTest::newRow("plus sign") << "+4" << 4.0;
    QTest::newRow("digit then point") << "1." << 1.0;
    QTest::newRow("point then digit") << ".6" << 0.6;
    QTest::newRow("decimal") << "2.5" << 2.5;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("letter stops") << "3x" << 3.0;
    QTest::newRow("letter first reads 0") << "x3" << 0.0;
    QTest::newRow("sign alone reads 0") << "-" << 0.0;
    QTest::newRow("point alone reads 0") << "." << 0.0;
    QTest::newRow("second sign stops") << "--5" << 0.0;
    QTest::newRow("sign after digits stops") << "5-" << 5.0;
    QTest::newRow("radix prefix not read") << "&H1" << 0.0;
    QTest::newRow("octal prefix not read") << "&7" << 0.0;
    QTest::newRow("exponent not read") << "1e2" << 1.0;
    QTest::newRow("non-ASCII digit stops") << QString::fromUtf8("4\u0663") << 4.0;
    QTest::newRow("comma is no decimal point") << "2,5" << 2.0;
    QTest::newRow("too small to tell from zero") << QStringLiteral("0.") + QString(400, u'0') + u'1' << 0.0;
}

void AdaptersTest::textToNumber()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(numbers::textToNumber(text), value);
}

void AdaptersTest::roundsHalfToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("rounded");
    QTest::newRow("0.5 to 0") << 0.5 << 0;
    QTest::newRow("1.5 to 2") << 1.5 << 2;
    QTest::newRow("2.5 to 2") << 2.5 << 2;
    QTest::newRow("0.6 to 1") << 0.6 << 1;
    QTest::newRow("0.4 to 0") << 0.4 << 0;
    QTest::newRow("-0.5 to 0") << -0.5 << 0;
    QTest::newRow("-1.5 to -2") << -1.5 << -2;
    QTest::newRow("-0.6 to -1") << -0.6 << -1;
    QTest::newRow("18.4 to 18") << 18.4 << 18;
    QTest::newRow("18.5 to 18") << 18.5 << 18;
    QTest::newRow("top of range") << 32767.0 << 32767;
    QTest::newRow("bottom of range") << -32768.0 << -32768;
}

void AdaptersTest::roundsHalfToEven()
{
    QFETCH(double, value);
    QFETCH(int, rounded);
    QCOMPARE(int(numbers::toInt16(value)), rounded);
}

void AdaptersTest::narrowingOverflows()
{
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, numbers::toInt16(32767.5 + 0.5));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, numbers::toInt16(-32769.0));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, numbers::toInt16(std::nan("")));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error,
                             numbers::toInt16(numbers::textToNumber(QString(400, u'9'))));
    QVERIFY_THROWS_EXCEPTION(std::overflow_error, numbers::toInt16(std::int32_t(40000)));
    QCOMPARE(numbers::toInt16(std::int32_t(-1)), std::int16_t(-1));
}

void AdaptersTest::checkValues()
{
    QCheckBox box;
    box.setTristate(true);
    box.setCheckState(Qt::Unchecked);
    QCOMPARE(checkValue(&box), 0);
    box.setCheckState(Qt::Checked);
    QCOMPARE(checkValue(&box), 1);
    box.setCheckState(Qt::PartiallyChecked);
    QCOMPARE(checkValue(&box), 2);
    QVERIFY(isOn(1));
    QVERIFY(!isOn(0));
    QVERIFY(!isOn(2)); // greyed is not on
}

void AdaptersTest::characterCodes_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("code");
    QTest::newRow("digit") << int(Qt::Key_7) << 0 << "7" << 55;
    QTest::newRow("letter") << int(Qt::Key_A) << 0 << "a" << 97;
    QTest::newRow("blank") << int(Qt::Key_Space) << 0 << " " << 32;
    QTest::newRow("Backspace") << int(Qt::Key_Backspace) << 0 << "" << 8;
    QTest::newRow("Ctrl+C") << int(Qt::Key_C) << int(Qt::ControlModifier) << "c" << 3;
    QTest::newRow("Ctrl+V") << int(Qt::Key_V) << int(Qt::ControlModifier) << "v" << 22;
    QTest::newRow("Ctrl+X") << int(Qt::Key_X) << int(Qt::ControlModifier) << "x" << 24;
    QTest::newRow("arrow types nothing") << int(Qt::Key_Left) << 0 << "" << -1;
    QTest::newRow("Delete types nothing") << int(Qt::Key_Delete) << 0 << "\x7f" << -1;
    QTest::newRow("Ctrl+digit types nothing") << int(Qt::Key_1) << int(Qt::ControlModifier) << "1" << -1;
    QTest::newRow("Alt+Q types q") << int(Qt::Key_Q) << int(Qt::AltModifier) << "q" << 113;
    QTest::newRow("AltGr types its character")
        << int(Qt::Key_Q) << int(Qt::ControlModifier | Qt::AltModifier) << "@" << 64;
    QTest::newRow("non-ASCII letter") << int(Qt::Key_unknown) << 0 << QString::fromUtf8("\u00e9") << 0xE9;
    QTest::newRow("character above 0x7FFF stays positive")
        << int(Qt::Key_unknown) << 0 << QString::fromUtf8("\uac00") << 0xAC00;
}

void AdaptersTest::characterCodes()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(int, code);
    const QKeyEvent event(QEvent::KeyPress, key, Qt::KeyboardModifiers(modifiers), text);
    QCOMPARE(KeyPressFilter::characterCode(event), code);
}

void AdaptersTest::filterDiscardsAndReplaces()
{
    QLineEdit edit;
    new KeyPressFilter(&edit, [](int &code) {
        if (code == 'a')
            code = 0; // discard
        else if (code == 'b')
            code = 'B'; // replace
    });
    edit.show();
    QTest::keyClicks(&edit, "xaby");
    QCOMPARE(edit.text(), QStringLiteral("xBy"));
    QTest::keyClick(&edit, Qt::Key_Backspace);
    QCOMPARE(edit.text(), QStringLiteral("xB"));
    // As X11 sends them: Delete with its control character, Alt+A with its letter.
    QTest::keyClick(&edit, Qt::Key_Home);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
    QApplication::sendEvent(&edit, &del);
    QKeyEvent altA(QEvent::KeyPress, Qt::Key_A, Qt::AltModifier, QStringLiteral("a"));
    QApplication::sendEvent(&edit, &altA);
    QCOMPARE(edit.text(), QStringLiteral("B"));
}

QTEST_MAIN(AdaptersTest)
#include "tst_adapters.moc"
