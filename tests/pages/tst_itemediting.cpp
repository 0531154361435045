// SPDX-License-Identifier: BSD-3-Clause
// The Picture page's item controls: toggles by number, find, whole-list enable, key filter.
#include "fontsandbox.h"
#include "modalwatcher.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using KvListEx::Classic::ListItem;

namespace {
// Each item's enabled flag and underline, to see what a click changed.
QList<std::pair<bool, bool>> states(KvListEx::Classic::ListEx *list)
{
    QList<std::pair<bool, bool>> out;
    for (int i = 0; i < list->ListItems().Count(); ++i) {
        ListItem item = list->ListItems().Item(i);
        out.append({item.Enabled(), item.Font().underline()});
    }
    return out;
}
} // namespace

class ItemEditingTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { useFontSandbox(); }

private slots:
    void init() { m_w = openWindow(2); }
    void cleanup() { m_w.reset(); }

    void enableButtonReadsItsBox_data();
    void enableButtonReadsItsBox();
    void invalidIndexShowsTheBoxAndChangesNothing_data();
    void invalidIndexShowsTheBoxAndChangesNothing();
    void eachButtonReadsOnlyItsOwnBox();
    void underlineOfItem2TogglesAndKeepsBold();
    void disabledItemsAndDisabledListStillToggle();
    void everyWayOfTickingEnablesTheList_data() { addTickWays(); }
    void everyWayOfTickingEnablesTheList();
    void find_data();
    void find();
    void noMatchLeavesSelectionAndDescription();
    void keyFilter_data();
    void keyFilter();

private:
    void paste(QLineEdit *box, const QString &text);
    std::unique_ptr<frmMain> m_w;
};

void ItemEditingTest::paste(QLineEdit *box, const QString &text)
{
    box->clear();
    QGuiApplication::clipboard()->setText(text);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

void ItemEditingTest::enableButtonReadsItsBox_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QString>("boxText");
    QTest::addColumn<int>("toggled");
    QTest::newRow("empty box is item 0") << ""
                                         << "" << 0;
    QTest::newRow("0") << "0"
                       << "0" << 0;
    QTest::newRow("18 is the last item") << "18"
                                         << "18" << 18;
    QTest::newRow("leading blank") << " 5"
                                   << " 5" << 5;
    QTest::newRow("digit and point") << "1."
                                     << "1." << 1;
    QTest::newRow("point six rounds up") << ".6"
                                         << ".6" << 1;
    QTest::newRow("2.5 pasted keeps two characters") << "2.5"
                                                     << "2." << 2;
    QTest::newRow("radix prefix reads 0") << "&H1"
                                          << "&H" << 0;
    QTest::newRow("ampersand digit reads 0") << "&7"
                                             << "&7" << 0;
    QTest::newRow("exponent letter ends the number") << "1e"
                                                     << "1e" << 1;
    QTest::newRow("letters read 0") << "ab"
                                    << "ab" << 0;
}

void ItemEditingTest::enableButtonReadsItsBox()
{
    QFETCH(QString, pasted);
    QFETCH(QString, boxText);
    QFETCH(int, toggled);
    paste(m_w->txtIndex[0], pasted);
    QCOMPARE(m_w->txtIndex[0]->text(), boxText);
    const auto before = states(m_w->ListEx3);
    ModalWatcher watcher;
    QTest::mouseClick(m_w->cmdItemChange[0], Qt::LeftButton);
    QVERIFY(watcher.seen().isEmpty());
    auto expected = before;
    expected[toggled].first = !expected[toggled].first;
    QCOMPARE(states(m_w->ListEx3), expected);
    QTest::mouseClick(m_w->cmdItemChange[0], Qt::LeftButton); // a second click brings it back
    QCOMPARE(states(m_w->ListEx3), before);
}

void ItemEditingTest::invalidIndexShowsTheBoxAndChangesNothing_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("pasted");
    QTest::newRow("19 for Enable or Disable") << 0 << "19";
    QTest::newRow("-1 for Enable or Disable") << 0 << "-1";
    QTest::newRow("99 for Underline") << 1 << "99";
    QTest::newRow("-9 for Underline") << 1 << "-9";
}

void ItemEditingTest::invalidIndexShowsTheBoxAndChangesNothing()
{
    QFETCH(int, button);
    QFETCH(QString, pasted);
    paste(m_w->txtIndex[button], pasted);
    const auto before = states(m_w->ListEx3);
    const int selected = m_w->ListEx3->ListIndex();
    ModalWatcher watcher;
    QTest::mouseClick(m_w->cmdItemChange[button], Qt::LeftButton);
    QCOMPARE(watcher.seen().size(), 1);
    const SeenModal box = watcher.seen().first();
    QCOMPARE(box.text, QStringLiteral("Invalid index!"));
    QCOMPARE(box.title, QStringLiteral("ERROR"));
    QCOMPARE(box.icon, QMessageBox::Critical);
    QCOMPARE(box.buttons, 1);
    QCOMPARE(states(m_w->ListEx3), before);
    QCOMPARE(m_w->ListEx3->ListIndex(), selected);
    QVERIFY(!HandlerGuard::ending());
}

void ItemEditingTest::eachButtonReadsOnlyItsOwnBox()
{
    m_w->txtIndex[0]->setText(QStringLiteral("5"));
    m_w->txtIndex[1]->setText(QStringLiteral("7"));
    QTest::mouseClick(m_w->cmdItemChange[1], Qt::LeftButton);
    QVERIFY(m_w->ListEx3->ListItems().Item(7).Font().underline());
    QVERIFY(!m_w->ListEx3->ListItems().Item(5).Font().underline());
    QVERIFY(m_w->ListEx3->ListItems().Item(7).Enabled());
    QTest::mouseClick(m_w->cmdItemChange[0], Qt::LeftButton);
    QVERIFY(!m_w->ListEx3->ListItems().Item(5).Enabled());
    QVERIFY(m_w->ListEx3->ListItems().Item(7).Enabled());
}

void ItemEditingTest::underlineOfItem2TogglesAndKeepsBold()
{
    QTest::keyClicks(m_w->txtIndex[1], "2");
    QVERIFY(rowText(m_w->ListEx3, 2).underlined);
    QTest::mouseClick(m_w->cmdItemChange[1], Qt::LeftButton);
    QVERIFY(!rowText(m_w->ListEx3, 2).underlined); // on screen, not only in the item's font
    QVERIFY(rowText(m_w->ListEx3, 2).bold);
    QVERIFY(!m_w->ListEx3->ListItems().Item(2).Font().underline());
    QTest::mouseClick(m_w->cmdItemChange[1], Qt::LeftButton);
    QVERIFY(rowText(m_w->ListEx3, 2).underlined);
    QVERIFY(rowText(m_w->ListEx3, 2).bold);
}

void ItemEditingTest::disabledItemsAndDisabledListStillToggle()
{
    const auto items = m_w->ListEx3->ListItems();
    QTest::keyClicks(m_w->txtIndex[0], "3");
    QTest::keyClicks(m_w->txtIndex[1], "3");
    QTest::mouseClick(m_w->cmdItemChange[0], Qt::LeftButton);
    QVERIFY(!items.Item(3).Enabled());
    QTest::mouseClick(m_w->cmdItemChange[1], Qt::LeftButton); // a disabled item can be underlined
    QVERIFY(items.Item(3).Font().underline());

    QTest::mouseClick(m_w->chkEnabled, Qt::LeftButton);
    QVERIFY(!m_w->chkEnabled->isChecked());
    QVERIFY(!m_w->ListEx3->isEnabled());
    QTest::mouseClick(m_w->cmdItemChange[1], Qt::LeftButton); // the list's state is not consulted
    QVERIFY(!items.Item(3).Font().underline());
    m_w->txtItem->setText(QStringLiteral("Oku"));
    QTest::mouseClick(m_w->cmdFind, Qt::LeftButton);
    QCOMPARE(m_w->ListEx3->ListIndex(), 7);

    QTest::mouseClick(m_w->chkEnabled, Qt::LeftButton);
    QVERIFY(m_w->ListEx3->isEnabled());
    QVERIFY(!items.Item(3).Enabled()); // items disabled one by one stay so
    QTest::mouseClick(m_w->cmdItemChange[0], Qt::LeftButton);
    QVERIFY(items.Item(3).Enabled());
}

void ItemEditingTest::everyWayOfTickingEnablesTheList()
{
    QFETCH(QString, way);
    tick(m_w->chkEnabled, way);
    QVERIFY(!m_w->chkEnabled->isChecked());
    QVERIFY(!m_w->ListEx3->isEnabled());
    clickItem(m_w->ListEx3, 4); // a disabled list takes no click
    QCOMPARE(m_w->ListEx3->ListIndex(), 0);
    tick(m_w->chkEnabled, way);
    QVERIFY(m_w->ListEx3->isEnabled());
    clickItem(m_w->ListEx3, 4);
    QCOMPARE(m_w->ListEx3->ListIndex(), 4);
}

void ItemEditingTest::find_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("exact");
    QTest::addColumn<int>("selected");
    QTest::newRow("prefix, other case") << "rufus" << false << 2;
    QTest::newRow("prefix: first in list order") << "o" << false << 0;
    QTest::newRow("prefix of a later item") << "oku" << false << 7;
    QTest::newRow("exact, other case") << "rufus tarrant" << true << 2;
    QTest::newRow("exact needs the whole text") << "Rufus" << true << 0;
    QTest::newRow("leading blank is part of the text") << "toby" << false << 0;
    QTest::newRow("with the blank it is found") << " toby" << false << 14;
    QTest::newRow("exact with the blank") << " Toby Ainsworth" << true << 14;
    QTest::newRow("no match stays") << "Zebedee" << false << 0;
}

void ItemEditingTest::find()
{
    QFETCH(QString, text);
    QFETCH(bool, exact);
    QFETCH(int, selected);
    QTest::keyClicks(m_w->txtItem, text);
    if (exact)
        QTest::mouseClick(m_w->chkFind, Qt::LeftButton);
    QCOMPARE(m_w->chkFind->isChecked(), exact);
    QTest::mouseClick(m_w->cmdFind, Qt::LeftButton);
    QCOMPARE(m_w->ListEx3->ListIndex(), selected);
    QCOMPARE(m_w->lblDescr->text(), m_w->ListEx3->ListItems().Item(selected).Description());
}

void ItemEditingTest::noMatchLeavesSelectionAndDescription()
{
    clickItem(m_w->ListEx3, 4);
    const QString descr = m_w->lblDescr->text();
    ModalWatcher watcher;
    m_w->txtItem->setText(QStringLiteral("nobody at all"));
    QTest::mouseClick(m_w->cmdFind, Qt::LeftButton);
    QCOMPARE(m_w->ListEx3->ListIndex(), 4);
    QCOMPARE(m_w->lblDescr->text(), descr);
    QVERIFY(watcher.seen().isEmpty());
}

void ItemEditingTest::keyFilter_data()
{
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::newRow("letters refused") << 0 << "ab"
                                     << "";
    QTest::newRow("blank refused") << 1 << " "
                                   << "";
    QTest::newRow("minus refused") << 0 << "-"
                                   << "";
    QTest::newRow("point refused") << 1 << "."
                                   << "";
    QTest::newRow("non-ASCII refused") << 0 << QString::fromUtf8("\u00e9\uac00") << "";
    QTest::newRow("digits pass") << 0 << "12"
                                 << "12";
    QTest::newRow("third digit refused by the limit") << 1 << "123"
                                                      << "12";
    QTest::newRow("mixed keeps the digits") << 0 << "a1-"
                                            << "1";
}

void ItemEditingTest::keyFilter()
{
    QFETCH(int, box);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QLineEdit *edit = m_w->txtIndex[box];
    edit->setFocus();
    for (QChar c : typed) {
        if (c.unicode() < 128) {
            QTest::keyClick(edit, c.toLatin1());
        } else { // QTest types ASCII only: send what a keyboard layout would
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(edit, &press);
        }
    }
    QCOMPARE(edit->text(), shown);
    if (!shown.isEmpty()) {
        QTest::keyClick(edit, Qt::Key_Backspace);
        QCOMPARE(edit->text(), shown.chopped(1));
    }
}

QTEST_MAIN(ItemEditingTest)
#include "tst_itemediting.moc"
