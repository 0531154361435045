// SPDX-License-Identifier: BSD-3-Clause
// The screen font set: one item per installed family, each in its own face, with its kind.
#include "../installedfonts_p.h"
#include "../listexmodel_p.h"
#include "classic_p.h"

#include <QFontDatabase>

#include <algorithm>

namespace KvListEx::Classic {

namespace {

// The kind of one font file, from the format fontconfig recorded for it.
qint32 kindOfFormat(const char *format, bool scalable)
{
    const QByteArray f(format ? format : "");
    if (f == "TrueType" || f == "CFF")
        return kvTrueTypeFont; // TrueType and OpenType outlines
    if (!scalable || f == "PCF" || f == "BDF" || f == "Windows FNT" || f == "PFR")
        return kvRasterFont;
    return kvVectorFont; // Type 1, CID-keyed and other outline formats
}

// Where a family has files of several kinds, the one a screen would use first.
int preference(qint32 kind)
{
    return kind == kvTrueTypeFont ? 3 : kind == kvVectorFont ? 2 : 1;
}

} // namespace

QHash<QString, FamilyInfo> classifyFontFamilies()
{
    QHash<QString, FamilyInfo> kinds;
    FcLangSet *noLanguages = FcLangSetCreate(); // compared with, not listed: listing costs at start-up
    forEachInstalledFont([&](FcPattern *font) {
        FcChar8 *format = nullptr;
        FcBool scalable = FcTrue;
        FcPatternGetString(font, FC_FONTFORMAT, 0, &format);
        FcPatternGetBool(font, FC_SCALABLE, 0, &scalable);
        const qint32 kind = kindOfFormat(reinterpret_cast<const char *>(format), scalable == FcTrue);
        // A file that covers no language at all is a symbol or picture font, whatever other
        // files of its family claim.
        FcLangSet *langs = nullptr;
        const bool symbol = FcPatternGetLangSet(font, FC_LANG, 0, &langs) != FcResultMatch || !langs ||
                            FcLangSetEqual(langs, noLanguages);
        FcChar8 *family = nullptr;
        for (int n = 0; FcPatternGetString(font, FC_FAMILY, n, &family) == FcResultMatch; ++n) {
            const QString name = QString::fromUtf8(reinterpret_cast<const char *>(family));
            FamilyInfo &info = kinds[name];
            if (info.kind < 0 || preference(kind) > preference(info.kind))
                info.kind = kind;
            info.symbol = info.symbol || symbol;
        }
    });
    FcLangSetDestroy(noLanguages);
    return kinds;
}

void ListEx::AddScreenFonts()
{
    const QHash<QString, FamilyInfo> kinds = classifyFontFamilies();
    // Qt names a family found at several foundries "Family [Foundry]": list the family once.
    // A family's own name may end in brackets too. Qt also lists fontconfig's generic aliases
    // ("Sans Serif", "Monospace"): those have no files of their own and are left out.
    QStringList families;
    for (const QString &family : QFontDatabase::families()) {
        QString plain = family;
        const qsizetype foundry = plain.lastIndexOf(QStringLiteral(" ["));
        if (foundry > 0 && plain.endsWith(u']') && !kinds.contains(plain))
            plain.truncate(foundry);
        if (!QFontDatabase::isPrivateFamily(family) && (kinds.isEmpty() || kinds.contains(plain)))
            families.append(plain);
    }
    families.removeDuplicates();
    const auto byName = [](const QString &a, const QString &b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    };
    // Qt lists its families in this order already: a check costs one comparison a family, a sort
    // of a few thousand names with long common beginnings a good part of the first frame.
    if (!std::is_sorted(families.begin(), families.end(), byName))
        std::sort(families.begin(), families.end(), byName);
    QList<ListExItem> items;
    items.reserve(families.size());
    for (const QString &family : families) {
        ListExItem item(family);
        QFont face = font();
        face.setFamily(family);
        item.setFont(face);
        item.setFontKind(qMax(qint32(kvVectorFont), kinds.value(family).kind));
        items.append(item);
    }
    const int first = count();
    addItems(items);
    // A symbol face draws signs for letters: its name is drawn in the list's font from the start.
    // So is a name holding a bracket, which Qt reads as "Family [Foundry]" and so cannot find.
    auto *model = ListExModelPrivate::get(itemModel());
    for (int row = first; row < count(); ++row) {
        const QString name = model->textAt(row).toString();
        if (kinds.value(name).symbol || name.contains(u'['))
            model->markListFont(row);
    }
}

} // namespace KvListEx::Classic
