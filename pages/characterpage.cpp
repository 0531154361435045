// SPDX-License-Identifier: BSD-3-Clause
// The Picture page: nineteen sample characters with their pictures and descriptions.
#include "frmmain.h"

#include <QLabel>

namespace {

constexpr KvListEx::Classic::OleColor kNone = KvListEx::Classic::kvNoColor;
constexpr KvListEx::Classic::OleColor kRed = 255;         // the one highlighted character
constexpr KvListEx::Classic::OleColor kFemale = 0xC0C0FF; // light pink, as the legend shows

struct Character {
    const char *name;
    int bitmap;
    KvListEx::Classic::OleColor itemColor;
    KvListEx::Classic::OleColor backColor;
    const char *description;
};

// Table order is list order: the item editing controls address characters by these positions.
constexpr Character kCharacters[] = {
    {"Oswin Tarrant", 101, kNone, kNone,
     "The head of the Tarrant family, who never misses his evening paper."},
    {"Delphine Tarrant", 102, kNone, kFemale, "Oswin's wife, the calm centre of a very noisy household."},
    {"Rufus Tarrant", 103, kRed, kNone, "The eldest son, forever scheming to get rich by Friday."},
    {"Clara Tarrant", 104, kNone, kFemale, "The clever daughter, who reads three books a week."},
    {"Pip Tarrant", 105, kNone, kFemale, "The youngest Tarrant, small, loud and always in charge."},
    {"Ezra -Oldie- Tarrant", 106, kNone, kNone,
     "Grandpa Ezra, who remembers everything except where his glasses are."},
    {"Lloyd Fennick", 107, kNone, kNone, "The cheerful neighbour who borrows tools and never returns them."},
    {"Oku", 108, kNone, kNone, "The shopkeeper on the corner, friend to every child in town."},
    {"Silas Pembury", 119, kNone, kNone, "A retired sailor who tells a new sea story every day."},
    {"Edna Pembury", 120, kNone, kFemale, "Silas's wife, champion baker of the county fair."},
    {"Mr. Augustus Lemuel Crane", 109, kNone, kNone,
     "A stiff old gentleman who never leaves home without his top hat."},
    {"Percival Nutt", 110, kNone, kNone, "A scientist whose experiments leave his hair standing on end."},
    {"Dale Whitcombe", 111, kNone, kNone, "The town's handyman, happiest with a hammer in his hand."},
    {"Binky the Jester", 112, kNone, kNone, "A clown who juggles at every birthday party in town."},
    {" Toby Ainsworth", 113, kNone, kNone, "Rufus's best friend and partner in every scheme."},
    {"Gordie Plimm", 115, kNone, kNone, "The cook at the corner diner, famous for his enormous pancakes."},
    {"Wendelin", 116, kNone, kNone, "A wizard of sorts, who mostly conjures up lost keys."},
    {"Leopold Haskett", 117, kNone, kNone, "A painter in a beret who sketches everyone he meets."},
    {"Chief Horace Dunmore", 118, kNone, kNone, "The police chief, slow to anger and fond of doughnuts."},
};

} // namespace

void frmMain::LoadCharacters()
{
    ListEx3->Clear();
    for (const Character &c : kCharacters) {
        const QPixmap picture = m_loadPicture(c.bitmap);
        ListEx3->AddItem(QString::fromUtf8(c.name), -1, c.itemColor, c.backColor, nullptr, picture, -1,
                         QString::fromUtf8(c.description));
    }
    ListEx3->ListItems().Item(2).Font().setBold(true);
    ListEx3->ListItems().Item(2).Font().setUnderline(true);
    ListEx3->Refresh();
}

void frmMain::ListEx3_ItemSelected()
{
    const KvListEx::Classic::ListItemCollection items = ListEx3->ListItems();
    lblDescr->setText(items.Item(ListEx3->ListIndex()).Description());
}
