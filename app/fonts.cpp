// SPDX-License-Identifier: BSD-3-Clause
#include "fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QStringList>

#include <algorithm>

namespace fonts {

namespace {

// Liberation Sans has Arial's metrics, the narrowest common face close to the original.
QStringList substitutes()
{
    return {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")};
}

} // namespace

void registerSubstitutes()
{
    QFont::insertSubstitutions(QString::fromLatin1(kLayoutFamily), substitutes());
}

QString layoutFace()
{
    // Asked for a family it does not have, Qt ranks every installed family as a fallback before it
    // tries the substitutes, and that search grows with the square of the installed families: a
    // thousand fonts make it tens of milliseconds. So the face is found here, once.
    static const QString face = [] {
        // Looked up in the list of installed families: QFontDatabase::hasFamily asks fontconfig to
        // resolve the name as an alias first, a millisecond each.
        const QStringList installed = QFontDatabase::families();
        const auto has = [&installed](const QString &family) {
            const QString atFoundry = family + QStringLiteral(" [");
            return std::any_of(installed.begin(), installed.end(), [&](const QString &name) {
                return name.compare(family, Qt::CaseInsensitive) == 0 ||
                       name.startsWith(atFoundry, Qt::CaseInsensitive);
            });
        };
        const QString wanted = QString::fromLatin1(kLayoutFamily);
        if (has(wanted))
            return wanted;
        const QStringList candidates = substitutes();
        for (const QString &family : candidates)
            if (has(family))
                return family;
        // None installed: the face Qt gives the application's own font, asked at the layout's
        // size so that the face it loads is the one the layout draws with next.
        QFont application = QGuiApplication::font();
        application.setPointSizeF(kLayoutPointSize);
        return QFontInfo(application).family();
    }();
    return face;
}

QFont layoutFont(qreal pointSize, QFont::Weight weight)
{
    QFont f(layoutFace());
    f.setPointSizeF(pointSize);
    f.setWeight(weight);
    f.setItalic(false);
    f.setUnderline(false);
    f.setStrikeOut(false);
    return f;
}

} // namespace fonts
