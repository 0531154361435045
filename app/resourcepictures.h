// SPDX-License-Identifier: BSD-3-Clause
// Pictures from the program's own resources.
#pragma once

#include <QPixmap>

// The bitmap resource with this number; throws std::runtime_error naming it when it is missing.
QPixmap LoadResPicture(int id);
