// SPDX-License-Identifier: BSD-3-Clause
// The Color page: custom or system colours in two drawing styles, and the swatch.
#include "frmmain.h"
#include "olecolor.h"

#include <QLabel>

namespace {

struct CustomColor {
    const char *name;
    KvListEx::Classic::OleColor value; // 0x00BBGGRR
};

constexpr CustomColor kCustomColors[] = {
    {"Blue", 0xFF0000}, {"Cyan", 0xFFFF00},   {"Green", 0x00FF00}, {"Magenta", 0xFF00FF},
    {"Red", 0x0000FF},  {"Yellow", 0x00FFFF}, {"White", 0xFFFFFF}, {"Black", 0x000000},
};

} // namespace

void frmMain::LoadCustomColors()
{
    ListEx2->Clear();
    for (const CustomColor &c : kCustomColors)
        ListEx2->AddItem(QString::fromLatin1(c.name), -1, c.value);
    ListEx2->Refresh();
}

void frmMain::optColors_Click(qint16 Index)
{
    ListEx2->Clear();
    if (Index == 0)
        LoadCustomColors();
    else
        ListEx2->AddSystemColors();
    ListEx2->SetListIndex(0);
}

void frmMain::optStyle_Click(qint16 Index)
{
    ListEx2->SetStyle(Index == 0 ? KvListEx::Classic::ListEx::kvColorRectAndText
                                 : KvListEx::Classic::ListEx::kvLargeColorRect);
}

void frmMain::ListEx2_ItemSelected()
{
    QLabel *swatch = lblColor;
    const KvListEx::Classic::ListItem &item = ListEx2->ListItems().Item(ListEx2->ListIndex());
    setBackColor(swatch, item.ItemColor());
}
