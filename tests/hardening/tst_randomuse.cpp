// SPDX-License-Identifier: BSD-3-Clause
// Random use of the whole window, as a restless user might: clicks on every control, tab
// switches, keys and pasted text, selections in every list. After every event nothing may have
// crashed, warned or failed, and the window's invariants hold. It runs on the private font set,
// so a warning comes from our code, not from a font on the machine. KV_SEED replays a run;
// KV_EVENTS sets its length.
#include "fontsandbox.h"
#include "modalwatcher.h"
#include "olecolor.h"
#include "windowfixture.h"

#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QTabBar>
#include <QTabWidget>

namespace {

QStringList g_warnings;

void recordWarnings(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    // The offscreen platform cannot resize to hints; that is the platform, not the program.
    if (type != QtDebugMsg && type != QtInfoMsg && !message.contains(QLatin1String("propagateSizeHints")))
        g_warnings << message;
}

const QStringList kPastes{"0",
                          "7",
                          "18",
                          "19",
                          "-1",
                          "99",
                          "1.",
                          ".6",
                          "2.5",
                          "&H1",
                          "1e",
                          " 5",
                          "ab",
                          "Oku",
                          "oku",
                          "rufus tarrant",
                          " Toby",
                          "Zebedee",
                          "",
                          QString(300, u'9'),
                          QString::fromUtf8("\u00e9t\u00e9 \u4e2d\u6587 \U0001F600"),
                          QString(2000, u'x')};

} // namespace

class RandomUseTest : public QObject {
    Q_OBJECT
public:
    static void initMain() { useFontSandbox(); }

private slots:
    void randomUse();

private:
    void act();
    void checkInvariants(int step);
    QWidget *pick(const QList<QWidget *> &widgets)
    {
        return widgets.at(int(m_random.bounded(quint32(widgets.size()))));
    }
    int roll(int n) { return int(m_random.bounded(quint32(n))); }

    std::unique_ptr<frmMain> m_w;
    QRandomGenerator m_random;
    QStringList m_customColors;
    QStringList m_systemColors;
};

void RandomUseTest::act()
{
    const int page = m_w->SSTab1->currentIndex();
    QList<QWidget *> controls;
    for (QWidget *w : m_w->findChildren<QWidget *>())
        if (w->isVisible() && w != m_w->cmdExit &&
            (qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w) ||
             qobject_cast<KvListEx::Classic::ListEx *>(w)))
            controls << w;
    const int r = roll(60); // mnemonics wait for their press animation: keep them rare
    switch (r == 59 ? 7 : r % 7) {
    case 0: { // pick a tab
        QTabBar *bar = m_w->SSTab1->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(roll(3)).center());
        break;
    }
    case 1:
    case 2: { // click somewhere on a control
        QWidget *w = pick(controls);
        QWidget *target =
            qobject_cast<QAbstractItemView *>(w) ? static_cast<QAbstractItemView *>(w)->viewport() : w;
        QTest::mouseClick(target, Qt::LeftButton, {},
                          QPoint(roll(qMax(1, target->width())), roll(qMax(1, target->height()))));
        break;
    }
    case 3: { // select an item of the page's list by clicking it
        KvListEx::Classic::ListEx *list = page == 0 ? m_w->ListEx1 : page == 1 ? m_w->ListEx2 : m_w->ListEx3;
        if (list->model()->rowCount() > 0)
            clickItem(list, roll(list->model()->rowCount()));
        break;
    }
    case 4: { // keys into whatever has the focus
        static const int keys[] = {Qt::Key_Tab,   Qt::Key_Backtab,   Qt::Key_Up,     Qt::Key_Down,
                                   Qt::Key_Home,  Qt::Key_End,       Qt::Key_PageUp, Qt::Key_PageDown,
                                   Qt::Key_Space, Qt::Key_Backspace, Qt::Key_Delete, Qt::Key_Left,
                                   Qt::Key_Right, Qt::Key_Return};
        QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : m_w.get();
        QTest::keyClick(focus, Qt::Key(keys[roll(int(std::size(keys)))]));
        break;
    }
    case 5: { // typed characters
        static const char typed[] = "0123456789abcxyzOKU -.+&eE";
        QWidget *focus = QApplication::focusWidget() ? QApplication::focusWidget() : m_w.get();
        QTest::keyClick(focus, typed[roll(int(sizeof typed - 1))]);
        break;
    }
    case 6: { // paste into a text box of the Picture page
        if (page != 2)
            break;
        QLineEdit *box = roll(3) == 0 ? m_w->txtItem : m_w->txtIndex[roll(2)];
        QGuiApplication::clipboard()->setText(kPastes.at(roll(int(kPastes.size()))));
        box->setFocus();
        if (roll(2))
            box->selectAll();
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        break;
    }
    case 7: { // a mnemonic: the About box, never Exit
        QTest::keyClick(m_w.get(), Qt::Key_A, Qt::AltModifier);
        QTest::qWait(150); // the mnemonic's short press animation
        break;
    }
    }
}

void RandomUseTest::checkInvariants(int step)
{
    const QByteArray where = "at event " + QByteArray::number(step);
    QVERIFY2(g_warnings.isEmpty(), qPrintable(where + ": " + g_warnings.join(u'\n')));
    QVERIFY2(!HandlerGuard::ending(), where.constData());
    QCOMPARE(m_w->ListEx3->ListItems().Count(), 19);
    QStringList colours;
    for (int i = 0; i < m_w->ListEx2->ListItems().Count(); ++i)
        colours << m_w->ListEx2->ListItems().Item(i).Text();
    QVERIFY2(colours == m_customColors || colours == m_systemColors, where.constData());
    for (KvListEx::Classic::ListEx *list : {m_w->ListEx1, m_w->ListEx2, m_w->ListEx3}) {
        const int index = list->ListIndex();
        QVERIFY2(index >= -1 && index < list->ListItems().Count(), where.constData());
    }
    // What the labels show follows the selection.
    if (m_w->ListEx3->ListIndex() >= 0)
        QCOMPARE(m_w->lblDescr->text(),
                 m_w->ListEx3->ListItems().Item(m_w->ListEx3->ListIndex()).Description());
    if (m_w->ListEx2->ListIndex() >= 0)
        QCOMPARE(backColor(m_w->lblColor),
                 m_w->ListEx2->ListItems().Item(m_w->ListEx2->ListIndex()).ItemColor());
    QCOMPARE(m_w->lblFontSample->font().pointSizeF(), 18.0);
    QVERIFY(m_w->txtIndex[0]->text().size() <= 2 && m_w->txtIndex[1]->text().size() <= 2);
}

void RandomUseTest::randomUse()
{
    const quint32 seed = qEnvironmentVariableIsSet("KV_SEED")
                             ? quint32(qEnvironmentVariableIntValue("KV_SEED"))
                             : QRandomGenerator::system()->generate();
    const int events =
        qEnvironmentVariableIsSet("KV_EVENTS") ? qEnvironmentVariableIntValue("KV_EVENTS") : 3000;
    std::printf("random use: KV_SEED=%u, %d events\n", seed, events);
    std::fflush(stdout);
    m_random.seed(seed);

    m_w = openWindow(0);
    for (int i = 0; i < m_w->ListEx2->ListItems().Count(); ++i)
        m_customColors << m_w->ListEx2->ListItems().Item(i).Text();
    {
        KvListEx::Classic::ListEx probe;
        probe.AddSystemColors();
        for (int i = 0; i < probe.ListItems().Count(); ++i)
            m_systemColors << probe.ListItems().Item(i).Text();
    }
    QList<std::shared_ptr<QAbstractItemModelTester>> testers;
    for (KvListEx::Classic::ListEx *list : {m_w->ListEx1, m_w->ListEx2, m_w->ListEx3})
        testers << std::make_shared<QAbstractItemModelTester>(
            list->model(), QAbstractItemModelTester::FailureReportingMode::Warning);
    ModalWatcher watcher;
    qInstallMessageHandler(recordWarnings);
    for (int step = 0; step < events; ++step) {
        act();
        checkInvariants(step);
        if (QTest::currentTestFailed()) {
            qInstallMessageHandler(nullptr);
            std::printf("replay with KV_SEED=%u\n", seed);
            return;
        }
    }
    qInstallMessageHandler(nullptr);
    std::printf("random use: %d events, %d modal boxes closed\n", events, int(watcher.seen().size()));
    QVERIFY(m_w->isVisible());
}

QTEST_MAIN(RandomUseTest)
#include "tst_randomuse.moc"
