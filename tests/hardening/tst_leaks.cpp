// SPDX-License-Identifier: BSD-3-Clause
// Start, visit every page, use each control once, exit. Built with AddressSanitizer, the leak
// checker then reports at exit whatever our code left behind.
#include "fontsandbox.h"
#include "modalwatcher.h"
#include "windowfixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

class LeaksTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { useFontSandbox(); }

private slots:
    void useEverythingOnceThenExit();
};

void LeaksTest::useEverythingOnceThenExit()
{
    ModalWatcher watcher;
    auto w = openWindow(0);
    QTabBar *bar = w->SSTab1->tabBar();
    clickItem(w->ListEx1, 1);
    for (QCheckBox *box : w->chkFont)
        QTest::mouseClick(box, Qt::LeftButton);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    clickItem(w->ListEx2, 3);
    QTest::mouseClick(w->optStyle[1], Qt::LeftButton);
    QTest::mouseClick(w->optColors[1], Qt::LeftButton);
    QTest::mouseClick(w->optColors[0], Qt::LeftButton);
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(2).center());
    clickItem(w->ListEx3, 5);
    QTest::keyClicks(w->txtIndex[0], "19");
    QTest::mouseClick(w->cmdItemChange[0], Qt::LeftButton); // the error box, closed by the watcher
    QTest::keyClicks(w->txtIndex[1], "2");
    QTest::mouseClick(w->cmdItemChange[1], Qt::LeftButton);
    QTest::keyClicks(w->txtItem, "oku");
    QTest::mouseClick(w->chkFind, Qt::LeftButton);
    QTest::mouseClick(w->cmdFind, Qt::LeftButton);
    QTest::mouseClick(w->chkEnabled, Qt::LeftButton);
    QTest::mouseClick(w->cmdAbout, Qt::LeftButton);
    QTRY_COMPARE(watcher.seen().size(), 2);
    QTest::mouseClick(w->cmdExit, Qt::LeftButton);
    QVERIFY(!w->isVisible());
    QVERIFY(!HandlerGuard::ending());
}

QTEST_MAIN(LeaksTest)
#include "tst_leaks.moc"
