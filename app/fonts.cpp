// SPDX-License-Identifier: BSD-3-Clause
#include "fonts.h"

#include <QStringList>

namespace fonts {

void registerSubstitutes()
{
    // Liberation Sans has Arial's metrics, the narrowest common face close to the original.
    QFont::insertSubstitutions(
        QString::fromLatin1(kLayoutFamily),
        {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans")});
}

QFont layoutFont(qreal pointSize, QFont::Weight weight)
{
    QFont f(QString::fromLatin1(kLayoutFamily));
    f.setPointSizeF(pointSize);
    f.setWeight(weight);
    f.setItalic(false);
    f.setUnderline(false);
    f.setStrikeOut(false);
    return f;
}

} // namespace fonts
