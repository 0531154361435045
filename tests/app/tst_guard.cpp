// SPDX-License-Identifier: BSD-3-Clause
// The unhandled-error rule: a message naming the error, then the end of the program.
#include "application.h"
#include "fonts.h"
#include "fontsandbox.h"
#include "frmmain.h"
#include "handlerguard.h"
#include "modalwatcher.h"

#include <QListView>
#include <QtTest>

#include <stdexcept>

class GuardTest : public QObject {
    Q_OBJECT
private slots:
    void init() { HandlerGuard::resetForTesting(); }

    void errorInHandlerShowsMessageAndEnds();
    void nestedErrorStopsTheOuterHandler();
    void errorInEventLoopEndsWithNonZeroCode();
    void errorOutsideAnyHandlerIsReportedNotFatal();
    void missingBitmapEndsLoadNamingIt();
    void errorInAWindowHandlerReachesTheGuard();
};

void GuardTest::errorInHandlerShowsMessageAndEnds()
{
    ModalWatcher watcher;
    bool ranAfter = false;
    QVERIFY(!HandlerGuard::run([] { throw std::runtime_error("disk on fire"); }));
    QCOMPARE(watcher.seen().size(), 1);
    const SeenModal box = watcher.seen().first();
    QCOMPARE(box.icon, QMessageBox::Critical);
    QVERIFY2(box.text.contains(QStringLiteral("disk on fire")), qPrintable(box.text));
    QCOMPARE(box.buttons, 1);
    QVERIFY(HandlerGuard::ending());
    QCOMPARE(HandlerGuard::exitCode(), HandlerGuard::kErrorExitCode);
    QVERIFY(HandlerGuard::kErrorExitCode != 0);
    // Nothing runs once the program is ending.
    QVERIFY(!HandlerGuard::run([&] { ranAfter = true; }));
    QVERIFY(!ranAfter);
}

void GuardTest::nestedErrorStopsTheOuterHandler()
{
    ModalWatcher watcher;
    bool outerCarriedOn = false;
    HandlerGuard::run([&] {
        HandlerGuard::run([] { throw std::out_of_range("position 7 of 3 items"); });
        outerCarriedOn = true;
    });
    QVERIFY(!outerCarriedOn);
    QCOMPARE(watcher.seen().size(), 1);
    QVERIFY(watcher.seen().first().text.contains(QStringLiteral("position 7 of 3 items")));
}

void GuardTest::errorInEventLoopEndsWithNonZeroCode()
{
    ModalWatcher watcher;
    QTimer::singleShot(0, [] { HandlerGuard::run([] { throw std::logic_error("late failure"); }); });
    QTimer::singleShot(5000, [] { QCoreApplication::exit(99); }); // bound: never hang
    QCOMPARE(QCoreApplication::exec(), HandlerGuard::kErrorExitCode);
    QCOMPARE(watcher.seen().size(), 1);
}

namespace {
class Throwing : public QObject {
protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::User)
            throw std::runtime_error("thrown inside a control");
        return QObject::event(e);
    }
};
} // namespace

void GuardTest::errorOutsideAnyHandlerIsReportedNotFatal()
{
    ModalWatcher watcher;
    Throwing target;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&target, &event);
    QCOMPARE(watcher.seen().size(), 1);
    QVERIFY(watcher.seen().first().text.contains(QStringLiteral("thrown inside a control")));
    QVERIFY(HandlerGuard::ending());
}

void GuardTest::missingBitmapEndsLoadNamingIt()
{
    ModalWatcher watcher;
    frmMain window;
    window.setPictureLoader([](int id) {
        if (id == 110)
            throw std::runtime_error("Resource with identifier '110' not found");
        QPixmap p(32, 32);
        p.fill(Qt::green);
        return p;
    });
    QVERIFY(!HandlerGuard::run([&] { window.Form_Load(); }));
    QCOMPARE(watcher.seen().size(), 1);
    QVERIFY(watcher.seen().first().text.contains(QStringLiteral("'110'")));
    // The rows before the failing one stay in the list.
    QCOMPARE(window.ListEx3->ListItems().Count(), 11);
}

void GuardTest::errorInAWindowHandlerReachesTheGuard()
{
    ModalWatcher watcher;
    frmMain window;
    window.Form_Load();
    window.show();
    window.SSTab1->setCurrentIndex(1);
    // An item without a colour cannot paint the swatch: the handler fails, the guard reports.
    window.ListEx2->AddItem(QStringLiteral("No colour"));
    QVERIFY(!HandlerGuard::ending());
    window.ListEx2->SetListIndex(window.ListEx2->ListItems().Count() - 1);
    QCOMPARE(watcher.seen().size(), 1);
    QVERIFY2(watcher.seen().first().text.contains(QStringLiteral("Invalid property value")),
             qPrintable(watcher.seen().first().text));
}

int main(int argc, char *argv[])
{
    useFontSandbox();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    fonts::registerSubstitutes();
    GuardTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_guard.moc"
