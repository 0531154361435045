// SPDX-License-Identifier: BSD-3-Clause
// Colour values and legibility: system colours, and text colours chosen for their ground.
#pragma once

#include "listex.h"

#include <QColor>

namespace KvListEx {

// Windows system colour indexes used as defaults (0x80000000 | index).
constexpr OleColor kSysWindow = OleColor(0x80000005);
constexpr OleColor kSysHighlight = OleColor(0x8000000D);
constexpr OleColor kSysHighlightText = OleColor(0x8000000E);

// A value that names a system colour follows the palette; any other names a fixed colour.
constexpr bool isSystemColor(OleColor value)
{
    return value != kvNoColor && (quint32(value) & 0x80000000u);
}

// Whether the value names a colour at all: a fixed 0x00BBGGRR one or a known system colour.
bool namesColor(OleColor value);

// WCAG contrast ratio, 1 to 21.
double contrastRatio(const QColor &a, const QColor &b);

// The least contrast text must keep with its ground (WCAG AA for normal text).
constexpr double kReadableContrast = 4.5;

// preferred where it can be read on ground, else black or white, whichever contrasts more.
QColor readableOn(const QColor &preferred, const QColor &ground);
// A dimmer text colour for disabled rows: text moved towards the ground as far as it stays
// clearly readable.
QColor dimmedOn(const QColor &text, const QColor &ground);

} // namespace KvListEx
