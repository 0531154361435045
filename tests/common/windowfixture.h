// SPDX-License-Identifier: BSD-3-Clause
// A loaded, shown main window for page tests, with the layout's fonts registered.
#pragma once

#include "fonts.h"
#include "frmmain.h"
#include "handlerguard.h"
#include "rowpixels.h"

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

// How a row of a picture list draws its text: its ink right of the picture box, and whether it is
// drawn bold (nearer the font engine's bold drawing than its regular one) and underlined.
struct RowText {
    rowpixels::Ink ink;
    bool bold = false;
    bool underlined = false;
};

inline RowText rowText(KvListEx::Classic::ListEx *list, int row)
{
    const QImage image = grabList(list);
    const QRect r = list->visualRect(list->model()->index(row, 0));
    const QRect area = r.adjusted(list->pictLeft() + list->pictWidth() + list->textLeft(), 1, -2, -1);
    const QColor ground = image.pixelColor(r.right() - 1, r.center().y());
    RowText out;
    out.ink = rowpixels::inkIn(image, area, ground);
    QFont regular = list->font(), bold = list->font();
    bold.setBold(true);
    const QString text = list->ListItems().Item(row).Text();
    // Bold strokes carry more ink: compare with the font engine's own drawing in both weights.
    const int drawn = out.ink.countBesideLines();
    const int asBold = rowpixels::inkCount(rowpixels::textMask(text, bold));
    const int asRegular = rowpixels::inkCount(rowpixels::textMask(text, regular));
    out.bold = std::abs(drawn - asBold) < std::abs(drawn - asRegular);
    out.underlined = out.ink.lineAcross(0.6, 1.0, 0.9, area.top());
    return out;
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
