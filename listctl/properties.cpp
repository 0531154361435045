// Stored properties: the keys a layout keeps for a list, written only where they differ from
// the defaults, in one fixed order.
#include "listex_p.h"

#include <QtMath>

#include <stdexcept>

namespace KvListEx {

namespace {

constexpr double kHimetricPerInch = 2540.0;
constexpr double kLogicalDpi = 96.0;

int toPixels(int himetric) { return qRound(himetric * kLogicalDpi / kHimetricPerInch); }
int toHimetric(int pixels) { return qRound(pixels * kHimetricPerInch / kLogicalDpi); }

} // namespace

void ListEx::ReadProperties(const Properties &stored)
{
    ListSettings &s = d->settings;
    QSize size = this->size();
    for (const auto &[key, value] : stored) {
        if (key == u"_extentx")
            size.setWidth(toPixels(value.toInt()));
        else if (key == u"_extenty")
            size.setHeight(toPixels(value.toInt()));
        else if (key == u"backcolor")
            s.backColor = value.toInt();
        else if (key == u"selbackcolor")
            s.selBackColor = value.toInt();
        else if (key == u"selforecolor")
            s.selForeColor = value.toInt();
        else if (key == u"transpcolor")
            s.transpColor = value.toInt();
        else if (key == u"textleft")
            s.textLeft = value.toInt();
        else if (key == u"pictleft")
            s.pictLeft = value.toInt();
        else if (key == u"picttop")
            s.pictTop = value.toInt();
        else if (key == u"pictheight")
            s.pictHeight = value.toInt();
        else if (key == u"pictwidth")
            s.pictWidth = value.toInt();
        else if (key == u"font") {
            s.font = value.value<QFont>();
            setFont(s.font);
        } else if (key == u"itemheight")
            s.itemHeight = value.toInt();
        else if (key == u"style")
            SetStyle(value.toInt());
        else if (key == u"sorted")
            s.sorted = value.toBool();
        else
            throw std::invalid_argument("ListEx: unknown stored property '" + key.toStdString() + "'");
    }
    resize(size);
    d->delegate->clearCache();
    applyColors();
    doItemsLayout();
}

ListEx::Properties ListEx::WriteProperties() const
{
    const ListSettings &s = d->settings;
    const ListSettings defaults;
    Properties out;
    out.append({QStringLiteral("_extentx"), toHimetric(width())});
    out.append({QStringLiteral("_extenty"), toHimetric(height())});
    auto put = [&out](const char *key, auto value, auto fallback) {
        if (value != fallback)
            out.append({QString::fromLatin1(key), QVariant::fromValue(value)});
    };
    put("backcolor", s.backColor, defaults.backColor);
    put("selbackcolor", s.selBackColor, defaults.selBackColor);
    put("selforecolor", s.selForeColor, defaults.selForeColor);
    put("transpcolor", s.transpColor, defaults.transpColor);
    put("textleft", s.textLeft, defaults.textLeft);
    put("pictleft", s.pictLeft, defaults.pictLeft);
    put("picttop", s.pictTop, defaults.pictTop);
    put("pictheight", s.pictHeight, defaults.pictHeight);
    put("pictwidth", s.pictWidth, defaults.pictWidth);
    out.append({QStringLiteral("font"), QVariant::fromValue(s.font)});
    put("itemheight", s.itemHeight, defaults.itemHeight);
    put("style", s.style, defaults.style);
    put("sorted", s.sorted, defaults.sorted);
    return out;
}

} // namespace KvListEx
