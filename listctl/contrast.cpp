// SPDX-License-Identifier: BSD-3-Clause
// Contrast between colours, and text colours chosen to be read on their ground.
#include "contrast_p.h"

#include <cmath>

namespace KvListEx {

namespace {

double linear(double channel)
{
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double luminance(const QColor &c)
{
    const QColor rgb = c.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) + 0.0722 * linear(rgb.blueF());
}

QColor mix(const QColor &from, const QColor &to, double t)
{
    const QColor a = from.toRgb(), b = to.toRgb();
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor readableOn(const QColor &preferred, const QColor &ground)
{
    if (contrastRatio(preferred, ground) >= kReadableContrast)
        return preferred;
    const QColor black(Qt::black), white(Qt::white);
    return contrastRatio(black, ground) >= contrastRatio(white, ground) ? black : white;
}

QColor dimmedOn(const QColor &text, const QColor &ground)
{
    // Dim towards the ground, but keep a margin above the readable minimum: antialiased strokes
    // are lighter than their colour.
    constexpr double kDimmedContrast = 5.5;
    const QColor start = readableOn(text, ground);
    double lo = 0.0, hi = 1.0;
    for (int i = 0; i < 12; ++i) {
        const double t = (lo + hi) / 2;
        (contrastRatio(mix(start, ground, t), ground) >= kDimmedContrast ? lo : hi) = t;
    }
    return mix(start, ground, lo);
}

} // namespace KvListEx
