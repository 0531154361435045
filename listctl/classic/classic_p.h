// SPDX-License-Identifier: BSD-3-Clause
// What the classic layer's files share.
#pragma once

#include "classic.h"

#include <QHash>

#include <string>

namespace KvListEx::Classic {

// System colour indexes of the stored defaults (0x80000000 | index).
constexpr OleColor kSysWindow = OleColor(0x80000005);
constexpr OleColor kSysHighlight = OleColor(0x8000000D);
constexpr OleColor kSysHighlightText = OleColor(0x8000000E);

// A value that names a system colour follows the palette; any other names a fixed colour.
constexpr bool isSystemColor(OleColor value)
{
    return value != kvNoColor && (quint32(value) & 0x80000000u);
}

// Whether the value names a colour at all: a fixed 0x00BBGGRR one or a known system colour.
bool namesColor(OleColor value);

// The message for a position that names no item.
std::string noItemAt(qint32 index, qint32 count);

struct FamilyInfo {
    qint32 kind = -1;    // FontKind; -1 before any file of the family is seen
    bool symbol = false; // its letters are signs: the list draws its name in the list's font
};

// Font kinds by family, from the font system's own record of each family's files.
QHash<QString, FamilyInfo> classifyFontFamilies();

} // namespace KvListEx::Classic
