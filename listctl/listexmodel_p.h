// SPDX-License-Identifier: BSD-3-Clause
// The items of one ListEx, as a Qt list model that answers everything through roles.
#pragma once

#include "listex.h"

#include <QAbstractListModel>
#include <QHash>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace KvListEx {

// The message for a position that names no item.
inline std::string noItemAt(qint32 index, qint32 count)
{
    return "no item at position " + std::to_string(index) + " (the list has " + std::to_string(count) +
           " items)";
}

// What few items have lives apart, so that a long list of plain items stays small.
struct ItemExtra {
    enum class Face : qint8 { Unknown, Queued, Own, ListFont };
    QString description;
    std::optional<QFont> font;
    QString checkedFamily; // font items: the family whose face was looked at
    qint32 fontType = kvVectorFont;
    qint8 paletteRole = -1; // system colour items: the palette role they show
    bool fontItem = false;  // made by AddScreenFonts: drawn in its face only where that face can
    Face face = Face::Unknown;
};

struct ItemRecord {
    std::unique_ptr<ItemExtra> extra;
    quint32 textAt = 0; // the text is kept by the model, with every other item's
    quint32 textSize = 0;
    OleColor itemColor = kvNoColor;
    OleColor backColor = kvNoColor;
    qint32 itemData = -1;
    qint32 picture : 31 = -1; // index into the model's picture table
    quint32 enabled : 1 = 1;

    ItemExtra &ensureExtra();
};

class ListExModel : public QAbstractListModel {
    Q_OBJECT
public:
    // listFont: the list's font, which an item's own font starts as.
    ListExModel(std::function<QFont()> listFont, QObject *parent);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Appends without telling the views at once: appends made in a row are announced together by
    // flush(), which every member that needs positions and the event loop run. A sorted list sorts
    // them in then, so a fill of N items costs O(N log N).
    void append(ItemRecord &&item, QStringView text);
    void insert(qint32 row, ItemRecord &&item, QStringView text);
    void flush();
    void clear();
    // Tells the views that every item may have changed.
    void refreshAll();

    bool isSorted() const { return m_sorted; }
    void setSorted(bool sorted);

    // Items counted with those not yet announced.
    qint32 count() const { return qint32(m_items.size()); }
    // Throws std::out_of_range for a row that names no item.
    const ItemRecord &record(qint32 row) const;
    ItemRecord &record(qint32 row);
    QStringView text(const ItemRecord &item) const;
    qint32 find(QStringView text, bool exact);

    QFont &ownFont(qint32 row);
    void setEnabled(qint32 row, bool enabled);
    qint32 pictureIndex(const QPixmap &picture);
    // System colour items take their role's colour from the palette.
    void followPalette(const QPalette &palette);

private:
    void adopt(ItemRecord &item, QStringView text);
    bool less(const ItemRecord &a, const ItemRecord &b) const;
    // less() as a function object, for the standard algorithms.
    auto byText() const
    {
        return [this](const ItemRecord &a, const ItemRecord &b) { return less(a, b); };
    }
    void mergeTail(qint32 known);
    void queueFaceCheck(ItemExtra *extra, QStringView text) const;
    void checkQueuedFaces();
    bool faceDrawsText(const ItemExtra &extra, QStringView text) const;

    std::function<QFont()> m_listFont;
    std::vector<ItemRecord> m_items;
    // Every item's text, end to end: one allocation for the list instead of one per item.
    QString m_texts;
    qint32 m_announced = 0; // rows the views know of
    bool m_flushQueued = false;
    bool m_sorted = false;
    qint32 m_paletteItems = 0;
    QList<QPixmap> m_pictures; // shared by all items that show the same picture
    QHash<qint64, qint32> m_pictureByKey;
    // Font items whose face is looked at after their row was first asked for: loading a face
    // takes a while, so a few are looked at per turn of the event loop.
    mutable QList<std::pair<ItemExtra *, QString>> m_faceQueue;
};

} // namespace KvListEx
