// The appearance settings of one list: the stored properties' values, in their own units.
#pragma once

#include "listex.h"

#include <QFont>

namespace KvListEx {

// Windows system colour indexes used as defaults (0x80000000 | index).
constexpr OleColor kSysWindow = OleColor(0x80000005);
constexpr OleColor kSysHighlight = OleColor(0x8000000D);
constexpr OleColor kSysHighlightText = OleColor(0x8000000E);

struct ListSettings {
    OleColor backColor = kSysWindow;
    OleColor selBackColor = kSysHighlight;
    OleColor selForeColor = kSysHighlightText;
    OleColor transpColor = kvNoColor;
    qint32 textLeft = 2;
    qint32 pictLeft = 2;
    qint32 pictTop = 2;
    qint32 pictHeight = 16;
    qint32 pictWidth = 16;
    QFont font;
    qint32 itemHeight = 0; // 0: from the font
    qint32 style = kvPictureAndText;
    bool sorted = false;
};

} // namespace KvListEx
