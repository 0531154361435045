// SPDX-License-Identifier: BSD-3-Clause
// The layout's fonts. "MS Sans Serif" is kept as the name and mapped to an installed family
// whose widths let every caption of the layout fit its control.
#pragma once

#include <QFont>

namespace fonts {

inline constexpr char kLayoutFamily[] = "MS Sans Serif";

// Registers the substitution; call once after the application object exists.
void registerSubstitutes();

// "MS Sans Serif" at a point size, regular unless a weight is given.
QFont layoutFont(qreal pointSize = 8.25, QFont::Weight weight = QFont::Normal);

} // namespace fonts
