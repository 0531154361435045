// SPDX-License-Identifier: BSD-3-Clause
// Stored properties: the keys a layout keeps for a list, written only where they differ from
// the defaults, in one fixed order.
#include "classic_p.h"

#include <functional>
#include <stdexcept>

namespace KvListEx::Classic {

namespace {

constexpr double kHimetricPerInch = 2540.0;
constexpr double kLogicalDpi = 96.0;

int toPixels(qint64 himetric)
{
    return int(qRound64(double(himetric) * kLogicalDpi / kHimetricPerInch));
}
int toHimetric(int pixels)
{
    return qRound(pixels * kHimetricPerInch / kLogicalDpi);
}

enum class Kind { Extent, Color, OptionalColor, Pixels, Font, Style, Flag };

using ColorGetter = QColor (KvListEx::ListEx::*)() const;
using ColorSetter = void (KvListEx::ListEx::*)(const QColor &);
using PixelGetter = int (KvListEx::ListEx::*)() const;
using PixelSetter = void (KvListEx::ListEx::*)(int);

// The keys after the size, in the order they are written.
struct Key {
    const char *name;
    Kind kind;
    OleColor systemDefault = kvNoColor; // colours: the stored value that means the palette's
    ColorGetter getColor = nullptr;
    ColorSetter setColor = nullptr;
    PixelGetter getPixels = nullptr;
    PixelSetter setPixels = nullptr;
    int defaultPixels = 0;
};
using L = KvListEx::ListEx;
const Key kKeys[] = {
    {"backcolor", Kind::Color, kSysWindow, &L::backColor, &L::setBackColor},
    {"selbackcolor", Kind::Color, kSysHighlight, &L::selBackColor, &L::setSelBackColor},
    {"selforecolor", Kind::Color, kSysHighlightText, &L::selForeColor, &L::setSelForeColor},
    {"transpcolor", Kind::OptionalColor, kvNoColor, &L::transpColor, &L::setTranspColor},
    {"textleft", Kind::Pixels, kvNoColor, nullptr, nullptr, &L::textLeft, &L::setTextLeft, 2},
    {"pictleft", Kind::Pixels, kvNoColor, nullptr, nullptr, &L::pictLeft, &L::setPictLeft, 2},
    {"picttop", Kind::Pixels, kvNoColor, nullptr, nullptr, &L::pictTop, &L::setPictTop, 2},
    {"pictheight", Kind::Pixels, kvNoColor, nullptr, nullptr, &L::pictHeight, &L::setPictHeight, 16},
    {"pictwidth", Kind::Pixels, kvNoColor, nullptr, nullptr, &L::pictWidth, &L::setPictWidth, 16},
    {"font", Kind::Font},
    {"itemheight", Kind::Pixels, kvNoColor, nullptr, nullptr, &L::itemHeight, &L::setItemHeight, 0},
    {"style", Kind::Style},
    {"sorted", Kind::Flag},
};
const Key kExtentX{"_extentx", Kind::Extent};
const Key kExtentY{"_extenty", Kind::Extent};

const Key *findKey(const QString &name)
{
    if (name == u"_extentx")
        return &kExtentX;
    if (name == u"_extenty")
        return &kExtentY;
    for (const Key &k : kKeys)
        if (name == QLatin1StringView(k.name))
            return &k;
    return nullptr;
}

[[noreturn]] void badValue(const QString &key, const QVariant &value)
{
    throw std::out_of_range("ListEx: stored property '" + key.toStdString() + "' cannot be " +
                            (value.isValid() ? QStringLiteral("%1 (%2)").arg(
                                                   value.toString(), QString::fromLatin1(value.typeName()))
                                             : QStringLiteral("empty"))
                                .toStdString());
}

// A whole number stored as one: text, floating-point and other values are not taken.
std::optional<qint64> wholeNumber(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return value.toLongLong();
    case QMetaType::ULongLong:
        return value.toULongLong() <= quint64(std::numeric_limits<qint64>::max())
                   ? std::optional(value.toLongLong())
                   : std::nullopt;
    default:
        return std::nullopt;
    }
}

} // namespace

void ListEx::ReadProperties(const Properties &stored)
{
    // Every value is checked before any is applied: a bad one changes nothing.
    std::vector<std::function<void()>> apply;
    QSize size = this->size();
    for (const auto &[key, value] : stored) {
        const Key *k = findKey(key);
        if (!k)
            throw std::invalid_argument("ListEx: unknown stored property '" + key.toStdString() + "'");
        const std::optional<qint64> number = wholeNumber(value);
        switch (k->kind) {
        case Kind::Extent: {
            if (!number || *number < 0 || *number > toHimetric(MaxPixels))
                badValue(key, value);
            (k == &kExtentX ? size.rwidth() : size.rheight()) = toPixels(*number);
            break;
        }
        case Kind::OptionalColor:
        case Kind::Color: {
            if (!number || *number < std::numeric_limits<qint32>::min() ||
                *number > std::numeric_limits<quint32>::max())
                badValue(key, value);
            const OleColor ole = OleColor(quint32(*number));
            const bool none = k->kind == Kind::OptionalColor ? ole == kvNoColor : ole == k->systemDefault;
            if (!none && !namesColor(ole))
                badValue(key, value);
            const QColor color = none ? QColor() : ToQColor(ole, palette());
            apply.push_back([this, k, color] { (this->*k->setColor)(color); });
            break;
        }
        case Kind::Pixels:
            if (!number || *number < 0 || *number > MaxPixels)
                badValue(key, value);
            apply.push_back([this, k, px = int(*number)] { (this->*k->setPixels)(px); });
            break;
        case Kind::Style:
            if (!number || *number < kvText || *number > kvLargeColorRect)
                badValue(key, value);
            apply.push_back([this, style = ItemStyle(*number)] { setItemStyle(style); });
            break;
        case Kind::Font:
            if (value.typeId() != QMetaType::QFont)
                badValue(key, value);
            apply.push_back([this, font = value.value<QFont>()] { setFont(font); });
            break;
        case Kind::Flag:
            if (value.typeId() != QMetaType::Bool &&
                !(number && (*number == 0 || *number == 1 || *number == -1)))
                badValue(key, value);
            apply.push_back([this, on = value.toBool()] { setSortingEnabled(on); });
            break;
        }
    }
    for (const auto &change : apply)
        change();
    resize(size);
}

ListEx::Properties ListEx::WriteProperties() const
{
    Properties out;
    out.append({QStringLiteral("_extentx"), toHimetric(width())});
    out.append({QStringLiteral("_extenty"), toHimetric(height())});
    for (const Key &k : kKeys) {
        const QString name = QString::fromLatin1(k.name);
        switch (k.kind) {
        case Kind::Color:
        case Kind::OptionalColor:
            if (const QColor c = (this->*k.getColor)(); c.isValid())
                out.append({name, FromQColor(c)});
            break;
        case Kind::Pixels:
            if (const int px = (this->*k.getPixels)(); px != k.defaultPixels)
                out.append({name, px});
            break;
        case Kind::Font: // always written
            out.append({name, QVariant::fromValue(font())});
            break;
        case Kind::Style:
            if (Style() != kvPictureAndText)
                out.append({name, Style()});
            break;
        case Kind::Flag:
            if (isSortingEnabled())
                out.append({name, true});
            break;
        case Kind::Extent:
            break;
        }
    }
    return out;
}

} // namespace KvListEx::Classic
