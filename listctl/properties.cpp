// SPDX-License-Identifier: BSD-3-Clause
// Stored properties: the keys a layout keeps for a list, written only where they differ from
// the defaults, in one fixed order.
#include "listex_p.h"

#include <stdexcept>

namespace KvListEx {

namespace {

constexpr double kHimetricPerInch = 2540.0;
constexpr double kLogicalDpi = 96.0;

int toPixels(int himetric)
{
    return qRound(himetric * kLogicalDpi / kHimetricPerInch);
}
int toHimetric(int pixels)
{
    return qRound(pixels * kHimetricPerInch / kLogicalDpi);
}

enum class Kind { Color, OptionalColor, Pixels, Font, Style, Flag };

// The keys after the size, in the order they are written; the others name their setting.
struct Key {
    const char *name;
    Kind kind;
    qint32 ListLook::*setting;
};
constexpr Key kKeys[] = {
    {"backcolor", Kind::Color, &ListLook::backColor},
    {"selbackcolor", Kind::Color, &ListLook::selBackColor},
    {"selforecolor", Kind::Color, &ListLook::selForeColor},
    {"transpcolor", Kind::OptionalColor, &ListLook::transpColor},
    {"textleft", Kind::Pixels, &ListLook::textLeft},
    {"pictleft", Kind::Pixels, &ListLook::pictLeft},
    {"picttop", Kind::Pixels, &ListLook::pictTop},
    {"pictheight", Kind::Pixels, &ListLook::pictHeight},
    {"pictwidth", Kind::Pixels, &ListLook::pictWidth},
    {"font", Kind::Font, nullptr},
    {"itemheight", Kind::Pixels, &ListLook::itemHeight},
    {"style", Kind::Style, &ListLook::style},
    {"sorted", Kind::Flag, nullptr},
};

const Key *findKey(const QString &name)
{
    for (const Key &k : kKeys)
        if (name == QLatin1StringView(k.name))
            return &k;
    return nullptr;
}

[[noreturn]] void badValue(const QString &key, const QVariant &value)
{
    throw std::out_of_range("ListEx: stored property '" + key.toStdString() + "' cannot be " +
                            value.toString().toStdString());
}

} // namespace

void ListEx::ReadProperties(const Properties &stored)
{
    ListLook &look = d->delegate->look();
    QSize size = this->size();
    for (const auto &[key, value] : stored) {
        if (key == u"_extentx") {
            size.setWidth(toPixels(value.toInt()));
            continue;
        }
        if (key == u"_extenty") {
            size.setHeight(toPixels(value.toInt()));
            continue;
        }
        const Key *k = findKey(key);
        if (!k)
            throw std::invalid_argument("ListEx: unknown stored property '" + key.toStdString() + "'");
        const qint32 number = value.toInt();
        switch (k->kind) {
        case Kind::OptionalColor:
            if (number == kvNoColor) {
                look.*k->setting = number;
                break;
            }
            [[fallthrough]];
        case Kind::Color:
            if (!namesColor(number))
                badValue(key, value);
            look.*k->setting = number;
            break;
        case Kind::Pixels:
            if (!ListExPrivate::pixelsInRange(number))
                badValue(key, value);
            look.*k->setting = number;
            break;
        case Kind::Style:
            if (number < kvText || number > kvLargeColorRect)
                badValue(key, value);
            look.*k->setting = number;
            break;
        case Kind::Font:
            setFont(value.value<QFont>());
            break;
        case Kind::Flag:
            setSorted(value.toBool());
            break;
        }
    }
    resize(size);
    d->delegate->forgetPictures();
    d->applyBackground();
    d->lookChanged(true);
}

ListEx::Properties ListEx::WriteProperties() const
{
    const ListLook &look = d->delegate->look();
    const ListLook defaults;
    Properties out;
    out.append({QStringLiteral("_extentx"), toHimetric(width())});
    out.append({QStringLiteral("_extenty"), toHimetric(height())});
    for (const Key &k : kKeys) {
        const QString name = QString::fromLatin1(k.name);
        if (k.setting) {
            if (look.*k.setting != defaults.*k.setting)
                out.append({name, look.*k.setting});
        } else if (k.kind == Kind::Font) { // always written
            out.append({name, QVariant::fromValue(font())});
        } else if (isSorted()) {
            out.append({name, true});
        }
    }
    return out;
}

} // namespace KvListEx
