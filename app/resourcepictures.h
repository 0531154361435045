// SPDX-License-Identifier: BSD-3-Clause
// Pictures from the program's own resources.
#pragma once

#include <QIcon>
#include <QPixmap>

// The bitmap resource with this number; throws std::runtime_error naming it when it is missing.
QPixmap LoadResPicture(int id);
// The program icon, one image for each of its sizes.
QIcon programIcon();
