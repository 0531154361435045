// SPDX-License-Identifier: BSD-3-Clause
// Check boxes carry a value of 0 (cleared), 1 (checked) or 2 (greyed); only 1 counts as on.
#pragma once

#include <QCheckBox>

inline int checkValue(const QCheckBox *box)
{
    switch (box->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    default:
        return 0;
    }
}

constexpr bool isOn(int checkValue)
{
    return checkValue == 1;
}
