// SPDX-License-Identifier: BSD-3-Clause
// The layout's fonts: "MS Sans Serif", or where it is missing the installed family whose widths
// let every caption of the layout fit its control.
#pragma once

#include <QFont>

namespace fonts {

inline constexpr char kLayoutFamily[] = "MS Sans Serif";
inline constexpr qreal kLayoutPointSize = 8.25;

// Registers the substitution; call once after the application object exists.
void registerSubstitutes();

// "MS Sans Serif" if installed, else the first installed of its substitutes, else the face of the
// application's font.
QString layoutFace();

// The layout's face at a point size, regular unless a weight is given.
QFont layoutFont(qreal pointSize = kLayoutPointSize, QFont::Weight weight = QFont::Normal);

} // namespace fonts
