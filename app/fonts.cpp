// SPDX-License-Identifier: BSD-3-Clause
#include "fonts.h"

#include <QStringList>

namespace fonts {

void registerSubstitutes()
{
    // Liberation Sans has Arial's metrics, the narrowest common face close to the original. Last
    // fontconfig's generic family, which every font set has: where none of the others is
    // installed, Qt would otherwise match every installed family against every fallback, which
    // with a thousand families costs more than the rest of the first frame.
    QFont::insertSubstitutions(QString::fromLatin1(kLayoutFamily),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                QStringLiteral("DejaVu Sans"), QStringLiteral("Sans Serif")});
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
