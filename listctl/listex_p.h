// ListEx's private state, shared by the files that implement it.
#pragma once

#include "listex.h"
#include "listexdelegate_p.h"
#include "listexmodel_p.h"
#include "listsettings_p.h"

#include <memory>

namespace KvListEx {

struct ListEx::Private {
    ListSettings settings;
    ListExModel *model = nullptr;
    ListExDelegate *delegate = nullptr;
    std::unique_ptr<ListItemCollection> collection;
    qint32 listIndex = -1;
    bool syncing = false;           // the view is being made to follow listIndex
    bool holdsSystemColors = false; // the items are exactly the system colour set
    QList<int> facesWanted;         // painted rows whose own face is yet to be looked at
    bool faceTimerQueued = false;
};

struct FamilyInfo {
    qint32 kind = -1;    // FontKind; -1 before any file of the family is seen
    bool symbol = false; // its letters are signs: the list draws its name in the list's font
};

// Font kinds by family, from the font system's own record of each family's files.
QHash<QString, FamilyInfo> classifyFontFamilies();

} // namespace KvListEx
