// SPDX-License-Identifier: BSD-3-Clause
// ListExModel's storage: small records in records, their texts in one buffer, their order in a
// RowIndex. Also used by the classic layer, which reaches a few things the public API hides.
#pragma once

#include "listexmodel.h"
#include "rowindex_p.h"

#include <QHash>
#include <QPalette>

#include <functional>
#include <limits>
#include <memory>
#include <optional>
#include <vector>

namespace KvListEx {

// Whether some installed face has a glyph for c, from fontconfig's character sets gathered once.
bool anyFaceHas(char32_t c);

// What few items have lives apart, so that a long list of plain items stays small.
struct ItemExtra {
    enum class Face : qint8 { Unknown, Queued, Own, ListFont };
    QString description;
    std::optional<QFont> font;
    QVariant data;
    QString checkedFamily; // font family items: the family whose face was looked at
    qint32 fontKind = 0;
    bool hasFontKind = false;
    qint8 colorRole = -1; // QPalette::ColorRole the item colour follows
    Face face = Face::Unknown;

    // A font of the item's own, which gives its row its own height; a font family item is drawn
    // at the list's size.
    bool hasOwnFont() const { return font && !hasFontKind; }
};

struct ItemRecord {
    std::unique_ptr<ItemExtra> extra;
    quint32 textAt = 0; // the text is kept by the model, with every other item's
    quint32 textSize = 0;
    QRgb color = 0;
    QRgb background = 0;
    qint32 picture : 29 = -1; // index into the model's picture table
    quint32 enabled : 1 = 1;
    quint32 hasColor : 1 = 0;
    quint32 hasBackground : 1 = 0;

    ItemExtra &ensureExtra();
};

// Records in chunks: a growing list never moves the records it has, nor touches their memory
// twice on the way. A record is made when it is added, so a list of a few items touches a few
// records' memory, not a whole chunk's.
class RecordStore {
public:
    RecordStore() = default;
    RecordStore(const RecordStore &) = delete;
    RecordStore &operator=(const RecordStore &) = delete;
    ~RecordStore() { clear(); }

    size_t size() const { return m_size; }
    ItemRecord &operator[](size_t slot) { return m_chunks[slot / kChunk][slot % kChunk]; }
    const ItemRecord &operator[](size_t slot) const { return m_chunks[slot / kChunk][slot % kChunk]; }
    // A new record, as made by ItemRecord's constructor.
    void emplace_back()
    {
        if (m_size == m_chunks.size() * kChunk)
            m_chunks.push_back(std::allocator<ItemRecord>().allocate(kChunk));
        std::construct_at(&(*this)[m_size]);
        ++m_size;
    }
    void reserve(size_t n) { m_chunks.reserve((n + kChunk - 1) / kChunk); }
    void clear()
    {
        for (size_t slot = 0; slot < m_size; ++slot)
            std::destroy_at(&(*this)[slot]);
        for (ItemRecord *chunk : m_chunks)
            std::allocator<ItemRecord>().deallocate(chunk, kChunk);
        m_chunks.clear();
        m_chunks.shrink_to_fit();
        m_size = 0;
    }
    template <typename Visit> void forEach(Visit &&visit)
    {
        for (size_t slot = 0; slot < m_size; ++slot)
            visit((*this)[slot]);
    }

private:
    static constexpr size_t kChunk = 4096;
    std::vector<ItemRecord *> m_chunks;
    size_t m_size = 0;
};

class ListExModelPrivate {
public:
    explicit ListExModelPrivate(ListExModel *model)
        : q(model)
    {
    }
    static ListExModelPrivate *get(ListExModel *model) { return model->d.get(); }

    // While the model announces a change, members that would change it wait for the end of it.
    class Announcing {
    public:
        explicit Announcing(ListExModelPrivate *d)
            : m_d(d)
        {
            ++m_d->depth;
        }
        ~Announcing();
        Q_DISABLE_COPY(Announcing)

    private:
        ListExModelPrivate *m_d;
    };
    // True (and the change kept for later) when the model is announcing another change.
    bool deferred(std::function<void()> change);

    bool validRow(const char *member, int row, int count) const;
    bool ownsRow(const QModelIndex &index) const;
    ItemRecord &at(int row) { return records[rows.at(row)]; }
    const ItemRecord &at(int row) const { return records[rows.at(row)]; }
    QStringView text(const ItemRecord &item) const;
    QStringView textAt(int row) const { return text(at(row)); }
    bool less(QStringView a, QStringView b) const { return a.compare(b, Qt::CaseInsensitive) < 0; }
    // less() for two placed items, by their keys where these tell.
    bool less(const RowIndex::Entry &a, const RowIndex::Entry &b) const
    {
        const int order = RowIndex::keyOrder(a.key, b.key);
        return order ? order < 0 : less(text(records[a.slot]), text(records[b.slot]));
    }
    RowIndex::Entry entry(quint32 slot) const { return {slot, RowIndex::keyOf(text(records[slot]))}; }
    // The row a text goes to in a sorted model: after every item that does not sort after it.
    int sortedRow(QStringView text) const { return sortedBound(text, true); }
    // The first row whose text sorts after the text (afterEqual) or does not sort before it.
    int sortedBound(QStringView text, bool afterEqual) const;

    quint32 newRecord();
    quint32 store(const ListExItem &item);
    // Appends n items, made by make(i) (which returns their record), announced as one insertion;
    // a sorted model then sorts them in.
    template <typename Make> void appendMany(qsizetype n, Make &&make)
    {
        const int first = rows.size();
        const int count = int(std::min<qsizetype>(n, std::numeric_limits<int>::max() - first));
        if (count <= 0)
            return;
        {
            Announcing announcing(this);
            q->beginInsertRows({}, first, first + count - 1);
            for (int i = 0; i < count; ++i)
                rows.append(make(i));
            q->endInsertRows();
        }
        if (sorted)
            sortAll(); // stable: a merge of the sorted rows and the new ones
    }
    void assign(ItemRecord &record, const ListExItem &item);
    void setText(ItemRecord &record, QStringView text);
    void release(ItemRecord &record);
    ListExItem toItem(const ItemRecord &record) const;
    qint32 pictureIndex(const QPixmap &picture);
    void dropPicture(qint32 index);
    QColor color(const ItemRecord &record) const;

    int insertOne(int row, const ListExItem &item);
    void removeRange(int row, int count);
    void moveRow(int from, int to);
    // Puts a row whose text changed in its sorted place; its row afterwards.
    int resort(int row);
    // Sorts every item, keeping persistent indexes on their items.
    void sortAll(Qt::SortOrder direction = Qt::AscendingOrder);
    // Tells the views that every item may have changed (roles: all when empty).
    void changedAll(const QList<int> &roles = {});

    // The classic layer's item font: present from the start, a copy of the given font.
    QFont &ownFont(int row, const QFont &listFont);

    // Font family items are drawn in their own face once it is known to draw their text; faces
    // are looked at a few per turn of the event loop.
    void queueFaceCheck(quint32 slot) const;
    void checkQueuedFaces();
    bool faceDrawsText(const QFont &font, QStringView text) const;
    // After a family of a font item changed through its font: look at its face again.
    void recheckFaces();
    // A font family item whose face is known not to draw its text (a symbol face).
    void markListFont(int row)
    {
        ItemExtra &extra = at(row).ensureExtra();
        extra.face = ItemExtra::Face::ListFont;
        extra.checkedFamily = extra.font ? extra.font->family() : QString();
    }

    ListExModel *const q;
    RecordStore records;
    std::vector<quint32> freeRecords;
    RowIndex rows;
    QString texts; // every item's text, end to end: one allocation instead of one per item
    qsizetype garbage = 0;
    qsizetype paddingAt = -1; // where the eight NULs after addItems' texts start, while they end texts
    struct Picture {
        QPixmap pixmap;
        qint32 users = 0;
    };
    std::vector<Picture> pictures; // shared by every item that shows the same picture
    QHash<qint64, qint32> pictureByKey;
    bool sawOwnFont = false; // an item has had a font of its own (not a font family item's)
    qint64 lastGivenKey = 0; // the picture last given, as the caller holds it
    qint32 lastGivenIndex = -1;
    std::vector<qint32> freePictures;
    std::optional<QPalette> palette;
    qint32 paletteItems = 0;
    bool sorted = false;
    int depth = 0;
    std::vector<std::function<void()>> waiting;
    mutable std::vector<quint32> faceQueue;
};

} // namespace KvListEx
