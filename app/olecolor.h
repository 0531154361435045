// SPDX-License-Identifier: BSD-3-Clause
// A control's background as a 0x00BBGGRR colour value.
#pragma once

#include <KvListEx/classic.h>

#include <QWidget>

#include <stdexcept>

// Paints the widget's background in the colour; throws std::invalid_argument for a value that
// names no colour (such as -1).
inline void setBackColor(QWidget *widget, KvListEx::Classic::OleColor value)
{
    const QColor color = KvListEx::Classic::ToQColor(value, widget->palette());
    if (!color.isValid())
        throw std::invalid_argument("Invalid property value: colour " + std::to_string(value));
    QPalette palette = widget->palette();
    palette.setColor(widget->backgroundRole(), color);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

inline KvListEx::Classic::OleColor backColor(const QWidget *widget)
{
    return KvListEx::Classic::FromQColor(widget->palette().color(widget->backgroundRole()));
}
