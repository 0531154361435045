// A loaded, shown main window for page tests, with the layout's fonts registered.
#pragma once

#include "fonts.h"
#include "frmmain.h"
#include "handlerguard.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QCheckBox>
#include <QListView>
#include <QtTest>

#include <memory>

inline std::unique_ptr<frmMain> openWindow(int page)
{
    static const bool fontsReady = [] {
        fonts::registerSubstitutes();
        QApplication::setFont(fonts::layoutFont());
        return true;
    }();
    Q_UNUSED(fontsReady);
    HandlerGuard::resetForTesting();
    auto window = std::make_unique<frmMain>();
    window->Form_Load();
    window->showCentred();
    window->SSTab1->setCurrentIndex(page);
    if (!QTest::qWaitForWindowExposed(window.get()))
        qFatal("window not exposed");
    return window;
}

// Clicks an item of a list as the user does.
inline void clickItem(QListView *list, int row)
{
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(index).center());
}

// The list's viewport as painted, in device-independent pixels.
inline QImage grabList(QListView *list)
{
    return list->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The ways a user changes a check box's value: the mouse, the Space key, and a screen reader's
// toggle action, which changes the value without a click.
inline void addTickWays()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("mouse") << QStringLiteral("mouse");
    QTest::newRow("Space") << QStringLiteral("Space");
    QTest::newRow("accessibility toggle") << QStringLiteral("accessibility toggle");
}

inline void tick(QCheckBox *box, const QString &way)
{
    if (way == QLatin1String("mouse")) {
        QTest::mouseClick(box, Qt::LeftButton);
    } else if (way == QLatin1String("Space")) {
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Space);
    } else {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(box);
        QVERIFY(iface && iface->actionInterface());
        iface->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    }
}
