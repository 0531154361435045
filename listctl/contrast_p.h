// SPDX-License-Identifier: BSD-3-Clause
// Legibility: contrast between colours, and text colours chosen for their ground.
#pragma once

#include <QColor>

namespace KvListEx {

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
