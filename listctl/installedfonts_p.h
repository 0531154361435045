// SPDX-License-Identifier: BSD-3-Clause
// The installed fonts as fontconfig holds them.
#pragma once

#include <fontconfig/fontconfig.h>

#include <initializer_list>

namespace KvListEx {

// Visits every installed font's pattern, the application's own fonts included, read in place:
// FcFontList would copy and merge every pattern first, which with a few thousand fonts installed
// costs more than what is read from them.
template <typename Visit> void forEachInstalledFont(Visit &&visit)
{
    for (const FcSetName which : {FcSetSystem, FcSetApplication})
        if (const FcFontSet *set = FcConfigGetFonts(nullptr, which))
            for (int i = 0; i < set->nfont; ++i)
                visit(set->fonts[i]);
}

} // namespace KvListEx
