// A loaded, shown main window for page tests, with the layout's fonts registered.
#pragma once

#include "fonts.h"
#include "frmmain.h"
#include "handlerguard.h"

#include <QApplication>
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
