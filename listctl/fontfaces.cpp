// SPDX-License-Identifier: BSD-3-Clause
// Font family items: each is drawn in its own face once that face is known to draw its text; and
// the characters the installed faces have, for drawing text no face has without a search.
#include "installedfonts_p.h"
#include "listexmodel_p.h"

#include <QElapsedTimer>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QMetaObject>
#include <QRawFont>

namespace KvListEx {

namespace {

// The characters that some installed face has, gathered once: a list of fonts asks whether a face
// has a character without going through every face.
const FcCharSet *installedCharacters()
{
    static FcCharSet *all = nullptr;
    if (!all) {
        all = FcCharSetCreate();
        forEachInstalledFont([](FcPattern *font) {
            FcCharSet *chars = nullptr;
            if (FcPatternGetCharSet(font, FC_CHARSET, 0, &chars) == FcResultMatch)
                FcCharSetMerge(all, chars, nullptr);
        });
        // Fonts the application adds are gathered again.
        QObject::connect(qApp, &QGuiApplication::fontDatabaseChanged, qApp, [] {
            FcCharSetDestroy(all);
            all = nullptr;
        });
    }
    return all;
}

} // namespace

bool anyFaceHas(char32_t c)
{
    return FcCharSetHasChar(installedCharacters(), c);
}

void ListExModelPrivate::queueFaceCheck(quint32 slot) const
{
    records[slot].extra->face = ItemExtra::Face::Queued;
    faceQueue.push_back(slot);
    if (faceQueue.size() == 1)
        QMetaObject::invokeMethod(
            q, [d = const_cast<ListExModelPrivate *>(this)] { d->checkQueuedFaces(); }, Qt::QueuedConnection);
}

// Looks at faces a millisecond or so per turn of the event loop, so that a list of fonts never
// stalls the window: its rows show in the list's font first and in their own faces a moment later.
void ListExModelPrivate::checkQueuedFaces()
{
    // Opening one face can take over ten milliseconds with a few thousand fonts installed: a turn
    // starts no second face after the first millisecond. The views are told every turn, so that
    // each repaint draws few faces for the first time.
    constexpr qint64 kBudgetNs = 1'000'000;
    QElapsedTimer spent;
    spent.start();
    bool changed = false;
    while (!faceQueue.empty() && spent.nsecsElapsed() < kBudgetNs) {
        const quint32 slot = faceQueue.front();
        faceQueue.erase(faceQueue.begin());
        // The slot may have been emptied or given to another item meanwhile.
        if (slot >= records.size() || !records[slot].extra)
            continue;
        ItemExtra &extra = *records[slot].extra;
        if (extra.face != ItemExtra::Face::Queued || !extra.font)
            continue;
        extra.checkedFamily = extra.font->family();
        extra.face = faceDrawsText(*extra.font, text(records[slot])) ? ItemExtra::Face::Own
                                                                     : ItemExtra::Face::ListFont;
        changed = true;
    }
    if (changed)
        changedAll({Qt::FontRole});
    if (!faceQueue.empty())
        QMetaObject::invokeMethod(
            q, [this] { checkQueuedFaces(); }, Qt::QueuedConnection);
}

// Whether the face the font resolves to is the family asked for and has a glyph for every
// character of the text, code point by code point. The face alone is asked: a font's fallbacks
// would find a glyph somewhere for almost anything, loading face after face to do so. Symbol
// faces map letters to signs, so they cannot show their name.
bool ListExModelPrivate::faceDrawsText(const QFont &itemFont, QStringView text) const
{
    // A character that no installed face has rules the face out without opening it, which can
    // take over ten milliseconds with a few thousand fonts installed.
    const QList<uint> chars = text.toUcs4();
    for (const char32_t c : chars)
        if (!QChar::isSpace(c) && !anyFaceHas(c))
            return false;
    // Looked at through a font of its own: the item's font keeps the face it loads for as long as
    // the list holds the item, which only a face that is used should cost.
    QFont font;
    font.fromString(itemFont.toString());
    // Qt names a family found at several foundries "Family [Foundry]".
    const QString resolved = QFontInfo(font).family();
    if (resolved.section(QStringLiteral(" ["), 0, 0).compare(font.family(), Qt::CaseInsensitive) != 0)
        return false;
    if (QFontDatabase::writingSystems(resolved).contains(QFontDatabase::Symbol))
        return false;
    const QRawFont face = QRawFont::fromFont(font);
    for (const char32_t c : chars)
        if (!QChar::isSpace(c) && !face.supportsCharacter(c))
            return false;
    QFontInfo(itemFont).family(); // loaded now, from the font cache, rather than while painting
    return true;
}

void ListExModelPrivate::recheckFaces()
{
    records.forEach([](ItemRecord &item) {
        ItemExtra *extra = item.extra.get();
        if (extra && extra->hasFontKind && extra->font && extra->face != ItemExtra::Face::Unknown &&
            extra->face != ItemExtra::Face::Queued && extra->checkedFamily != extra->font->family())
            extra->face = ItemExtra::Face::Unknown;
    });
}

} // namespace KvListEx
