// SPDX-License-Identifier: BSD-3-Clause
// The layout is written in twips: 1440 to the inch, 15 to the logical pixel at 96 dpi.
#pragma once

#include <QRect>
#include <QSize>

namespace twips {

constexpr int kPerPixel = 15;

constexpr int toPx(int twips)
{
    // Round half away from zero, as the layout's odd values (e.g. 520) expect.
    return twips >= 0 ? (twips + kPerPixel / 2) / kPerPixel : -((-twips + kPerPixel / 2) / kPerPixel);
}

// Hundredths of a millimetre, the unit of stored extents, to twips, rounded.
constexpr int fromHimetric(int himetric)
{
    return (himetric * 1440 + 1270) / 2540;
}

constexpr QRect rect(int left, int top, int width, int height)
{
    return QRect(toPx(left), toPx(top), toPx(width), toPx(height));
}

constexpr QSize size(int width, int height)
{
    return QSize(toPx(width), toPx(height));
}

} // namespace twips
