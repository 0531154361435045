// SPDX-License-Identifier: BSD-3-Clause
// ListEx's private part, shared by the files that implement it.
#pragma once

#include "listex.h"
#include "listexdelegate_p.h"
#include "listexmodel_p.h"

#include <QAccessible>
#include <QHash>

namespace KvListEx {

class ListExPrivate {
public:
    static constexpr int kMaxPixels = 32767;

    explicit ListExPrivate(ListEx *list)
        : q(list)
    {
    }
    static ListExPrivate *get(ListEx *list) { return list->d.get(); }

    // The list's background outside the rows follows its stored colour.
    void applyBackground();
    // After a change of how items look: repaint, or lay the rows out again when their height changed.
    void lookChanged(bool heightChanged = false);
    // Pixel settings are 0 to 32767; a setter reached by Qt warns and keeps the old value.
    static bool pixelsInRange(int px) { return px >= 0 && px <= kMaxPixels; }
    bool acceptPixels(const char *setter, int px) const;
    void setPixels(const char *setter, qint32 ListLook::*field, int px);
    QColor colorProperty(OleColor value, OleColor byDefault) const;
    void setColorProperty(OleColor ListLook::*field, const QColor &color, OleColor byDefault);

    // Screen-reader handles of the rows, made when asked for and dropped when rows move.
    QAccessibleInterface *accessibleRow(int row);
    void forgetAccessibleRows();

    ListEx *const q;
    ListExModel *model = nullptr;
    ListExDelegate *delegate = nullptr;
    QHash<int, QAccessible::Id> accessibleRows;
};

struct FamilyInfo {
    qint32 kind = -1;    // FontKind; -1 before any file of the family is seen
    bool symbol = false; // its letters are signs: the list draws its name in the list's font
};

// Font kinds by family, from the font system's own record of each family's files.
QHash<QString, FamilyInfo> classifyFontFamilies();

// Makes screen readers see a ListEx through its own interface (once per program).
void installListExAccessibility();

} // namespace KvListEx
