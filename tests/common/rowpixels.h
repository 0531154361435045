// SPDX-License-Identifier: BSD-3-Clause
// What a grabbed row shows of its text, read from its pixels: the ink that differs from the
// row's ground, where it lies, and how well it stands out.
#pragma once

#include <QColor>
#include <QFontMetrics>
#include <QImage>
#include <QList>
#include <QPainter>
#include <QRect>

#include <algorithm>
#include <cmath>

namespace rowpixels {

inline double luminance(const QColor &c)
{
    auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

// WCAG contrast ratio, computed here from the formula, not taken from the product.
inline double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

struct Ink {
    QColor ground;
    QRect box;             // bounding box of the ink, in image coordinates
    int count = 0;         // ink pixels
    double strongest = 1;  // the largest contrast of an ink pixel with the ground
    QColor strongestColor; // that pixel's colour
    QList<int> runs;       // per line of the area, from its top, the longest run of ink pixels
    QList<int> perLine;    // per line of the area, its ink pixels

    bool any() const { return count > 0; }
    // A line of ink across at least share of the ink's width, between the given fractions of the
    // ink's height (0 top, 1 bottom): an underline low down, a strikethrough in the middle.
    bool lineAcross(double fromFraction, double toFraction, double share, int areaTop) const
    {
        const int from = box.top() + int(box.height() * fromFraction);
        const int to = box.top() + int(std::ceil(box.height() * toFraction));
        for (int y = std::max(from, box.top()); y <= std::min(to, box.bottom()); ++y)
            if (runs.value(y - areaTop) >= share * box.width())
                return true;
        return false;
    }
    // Ink pixels but those of lines drawn across the text (underline, strikethrough).
    int countBesideLines() const
    {
        int n = 0;
        for (qsizetype y = 0; y < perLine.size(); ++y)
            n += runs[y] >= 0.9 * box.width() ? 0 : perLine[y];
        return n;
    }
};

// The ink in area: every pixel that differs clearly from ground.
inline Ink inkIn(const QImage &image, const QRect &area, const QColor &ground)
{
    Ink ink;
    ink.ground = ground;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        int run = 0, longest = 0, onLine = 0;
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            const int distance = std::abs(c.red() - ground.red()) + std::abs(c.green() - ground.green()) +
                                 std::abs(c.blue() - ground.blue());
            if (distance <= 60) {
                run = 0;
                continue;
            }
            ++ink.count;
            ++onLine;
            longest = std::max(longest, ++run);
            ink.box |= QRect(x, y, 1, 1);
            if (const double k = contrast(c, ground); k > ink.strongest) {
                ink.strongest = k;
                ink.strongestColor = c;
            }
        }
        ink.runs.append(longest);
        ink.perLine.append(onLine);
    }
    return ink;
}

// The ink of area as a mask cropped to the ink: white where ink is, black elsewhere.
inline QImage inkMask(const QImage &image, const QRect &area, const QColor &ground)
{
    const Ink ink = inkIn(image, area, ground);
    QImage mask(ink.box.size().expandedTo(QSize(1, 1)), QImage::Format_Grayscale8);
    mask.fill(0);
    for (int y = 0; y < ink.box.height(); ++y)
        for (int x = 0; x < ink.box.width(); ++x) {
            const QColor c = image.pixelColor(ink.box.left() + x, ink.box.top() + y);
            const int distance = std::abs(c.red() - ground.red()) + std::abs(c.green() - ground.green()) +
                                 std::abs(c.blue() - ground.blue());
            if (distance > 60)
                mask.setPixel(x, y, 255);
        }
    return mask;
}

// The font engine's own drawing of text in font, as an ink mask: what a row in that font shows.
inline QImage textMask(const QString &text, const QFont &font)
{
    const QFontMetrics metrics(font);
    QImage image(QSize(metrics.horizontalAdvance(text) + 10, metrics.height() + 10), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(5, 5 + metrics.ascent(), text);
    painter.end();
    return inkMask(image, image.rect(), Qt::white);
}

// Ink pixels of a mask.
inline int inkCount(const QImage &mask)
{
    int n = 0;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            n += mask.pixelColor(x, y).value() > 0;
    return n;
}

// Pixels where two masks, laid top-left on top-left, disagree.
inline int maskDistance(const QImage &a, const QImage &b)
{
    int differ = 0;
    for (int y = 0; y < std::max(a.height(), b.height()); ++y)
        for (int x = 0; x < std::max(a.width(), b.width()); ++x) {
            const bool inA = x < a.width() && y < a.height() && a.pixelColor(x, y).value() > 0;
            const bool inB = x < b.width() && y < b.height() && b.pixelColor(x, y).value() > 0;
            differ += inA != inB;
        }
    return differ;
}

} // namespace rowpixels
