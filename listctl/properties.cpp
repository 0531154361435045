// Stored properties: the keys a layout keeps for a list, written only where they differ from
// the defaults, in one fixed order.
#include "listex_p.h"

#include <QtMath>

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

// The keys after the size, in the order they are written; whole-number keys name their setting.
struct Key {
    const char *name;
    qint32 ListSettings::*number;
};
constexpr Key kKeys[] = {
    {"backcolor", &ListSettings::backColor},
    {"selbackcolor", &ListSettings::selBackColor},
    {"selforecolor", &ListSettings::selForeColor},
    {"transpcolor", &ListSettings::transpColor},
    {"textleft", &ListSettings::textLeft},
    {"pictleft", &ListSettings::pictLeft},
    {"picttop", &ListSettings::pictTop},
    {"pictheight", &ListSettings::pictHeight},
    {"pictwidth", &ListSettings::pictWidth},
    {"font", nullptr},
    {"itemheight", &ListSettings::itemHeight},
    {"style", &ListSettings::style},
    {"sorted", nullptr},
};

const Key *findKey(const QString &name)
{
    for (const Key &k : kKeys)
        if (name == QLatin1StringView(k.name))
            return &k;
    return nullptr;
}

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
        else if (key == u"font") {
            s.font = value.value<QFont>();
            setFont(s.font);
        } else if (key == u"style") // the view follows the style
            SetStyle(value.toInt());
        else if (key == u"sorted")
            s.sorted = value.toBool();
        else if (const Key *k = findKey(key); k && k->number)
            s.*k->number = value.toInt();
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
    for (const Key &k : kKeys) {
        const QString name = QString::fromLatin1(k.name);
        if (k.number) {
            if (s.*k.number != defaults.*k.number)
                out.append({name, s.*k.number});
        } else if (name == u"font") { // always written
            out.append({name, QVariant::fromValue(s.font)});
        } else if (name == u"sorted" && s.sorted != defaults.sorted) {
            out.append({name, s.sorted});
        }
    }
    return out;
}

} // namespace KvListEx
