// SPDX-License-Identifier: BSD-3-Clause
// 0x00BBGGRR colour values, and the classic system colour indexes mapped onto palette roles.
#include "classic_p.h"

#include <QPalette>

namespace KvListEx::Classic {

namespace {

struct SystemColor {
    int index;
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
};

// The classic indexes that have a palette counterpart.
constexpr SystemColor kSystemColors[] = {
    {1, QPalette::Active, QPalette::Dark},             // desktop
    {2, QPalette::Active, QPalette::Highlight},        // active caption
    {3, QPalette::Inactive, QPalette::Highlight},      // inactive caption
    {4, QPalette::Active, QPalette::Window},           // menu
    {5, QPalette::Active, QPalette::Base},             // window
    {6, QPalette::Active, QPalette::Shadow},           // window frame
    {7, QPalette::Active, QPalette::WindowText},       // menu text
    {8, QPalette::Active, QPalette::Text},             // window text
    {9, QPalette::Active, QPalette::HighlightedText},  // caption text
    {12, QPalette::Active, QPalette::Mid},             // application workspace
    {13, QPalette::Active, QPalette::Highlight},       // highlight
    {14, QPalette::Active, QPalette::HighlightedText}, // highlighted text
    {15, QPalette::Active, QPalette::Button},          // button face
    {16, QPalette::Active, QPalette::Dark},            // button shadow
    {17, QPalette::Disabled, QPalette::Text},          // grey text
    {18, QPalette::Active, QPalette::ButtonText},      // button text
    {19, QPalette::Inactive, QPalette::HighlightedText},
    {20, QPalette::Active, QPalette::Light},    // button highlight
    {21, QPalette::Active, QPalette::Shadow},   // 3-D dark shadow
    {22, QPalette::Active, QPalette::Midlight}, // 3-D light
    {23, QPalette::Active, QPalette::ToolTipText},
    {24, QPalette::Active, QPalette::ToolTipBase},
};

const SystemColor *systemColor(OleColor value)
{
    const int index = int(quint32(value) & 0xFFu);
    if ((quint32(value) & 0x7FFFFF00u) != 0)
        return nullptr;
    for (const SystemColor &s : kSystemColors)
        if (s.index == index)
            return &s;
    return nullptr;
}

} // namespace

QColor ToQColor(OleColor color, const QPalette &palette)
{
    if (color == kvNoColor)
        return {};
    if (isSystemColor(color)) {
        const SystemColor *s = systemColor(color);
        return s ? palette.color(s->group, s->role) : QColor();
    }
    const quint32 value = quint32(color);
    if (value > 0x00FFFFFFu)
        return {};
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

OleColor FromQColor(const QColor &color)
{
    if (!color.isValid())
        return kvNoColor;
    const QColor rgb = color.toRgb();
    return OleColor(quint32(rgb.red()) | (quint32(rgb.green()) << 8) | (quint32(rgb.blue()) << 16));
}

bool namesColor(OleColor value)
{
    return isSystemColor(value) ? systemColor(value) != nullptr : quint32(value) <= 0x00FFFFFFu;
}

} // namespace KvListEx::Classic
