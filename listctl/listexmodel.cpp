// SPDX-License-Identifier: BSD-3-Clause
#include "listexmodel_p.h"

#include "colors_p.h"

#include <QBrush>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMetaObject>
#include <QRawFont>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

namespace KvListEx {

// Every item of a long list is one of these; keep it from growing unnoticed.
static_assert(sizeof(void *) != 8 || sizeof(ItemRecord) <= 32);

ItemExtra &ItemRecord::ensureExtra()
{
    if (!extra)
        extra = std::make_unique<ItemExtra>();
    return *extra;
}

ListExModel::ListExModel(std::function<QFont()> listFont, QObject *parent)
    : QAbstractListModel(parent)
    , m_listFont(std::move(listFont))
{
}

int ListExModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_announced;
}

QVariant ListExModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return {};
    const ItemRecord &it = m_items[size_t(index.row())];
    const ItemExtra *extra = it.extra.get();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return text(it).toString();
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return extra && !extra->description.isEmpty() ? QVariant(extra->description) : QVariant();
    case Qt::DecorationRole:
        return it.picture >= 0 ? QVariant(m_pictures[it.picture]) : QVariant();
    case Qt::FontRole:
        if (!extra || !extra->font)
            return {};
        if (extra->fontItem && extra->face != ItemExtra::Face::Own) {
            if (extra->face == ItemExtra::Face::Unknown)
                queueFaceCheck(const_cast<ItemExtra *>(extra), text(it));
            return {}; // the list's font, until the face is known to draw the name
        }
        return *extra->font;
    case Qt::ForegroundRole:
        return it.itemColor == kvNoColor
                   ? QVariant()
                   : QVariant(QBrush(ToQColor(it.itemColor, QGuiApplication::palette())));
    case Qt::BackgroundRole:
        return it.backColor == kvNoColor
                   ? QVariant()
                   : QVariant(QBrush(ToQColor(it.backColor, QGuiApplication::palette())));
    case ItemColorRole:
        return it.itemColor;
    case BackColorRole:
        return it.backColor;
    case FontTypeRole:
        return extra ? extra->fontType : qint32(kvVectorFont);
    case ItemDataRole:
        return it.itemData;
    case EnabledRole:
        return bool(it.enabled);
    default:
        return {};
    }
}

Qt::ItemFlags ListExModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || index.row() >= m_announced)
        return Qt::NoItemFlags;
    // A disabled item is neither enabled nor selectable for Qt: views, type-ahead and the mouse
    // pass it by.
    return m_items[size_t(index.row())].enabled
               ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
               : Qt::ItemNeverHasChildren;
}

QStringView ListExModel::text(const ItemRecord &item) const
{
    // Never a null view: Qt's searches tell a null text from an empty one.
    if (m_texts.isNull())
        return QStringView(u"");
    return QStringView(m_texts).sliced(item.textAt, item.textSize);
}

// Takes in a new item: its text into the shared buffer, and a system colour item into the count.
void ListExModel::adopt(ItemRecord &item, QStringView text)
{
    if (m_texts.size() + text.size() > qsizetype(std::numeric_limits<quint32>::max()))
        throw std::length_error("ListEx: the texts of the list would pass 4294967295 characters");
    item.textAt = quint32(m_texts.size());
    item.textSize = quint32(text.size());
    m_texts.append(text);
    if (item.extra && item.extra->paletteRole >= 0)
        ++m_paletteItems;
}

bool ListExModel::less(const ItemRecord &a, const ItemRecord &b) const
{
    return text(a).compare(text(b), Qt::CaseInsensitive) < 0;
}

void ListExModel::append(ItemRecord &&item, QStringView text)
{
    adopt(item, text);
    m_items.push_back(std::move(item));
    if (!m_flushQueued) {
        m_flushQueued = true;
        QMetaObject::invokeMethod(this, &ListExModel::flush, Qt::QueuedConnection);
    }
}

void ListExModel::insert(qint32 row, ItemRecord &&item, QStringView text)
{
    flush();
    adopt(item, text);
    beginInsertRows({}, row, row);
    m_items.insert(m_items.begin() + row, std::move(item));
    ++m_announced;
    endInsertRows();
}

void ListExModel::flush()
{
    m_flushQueued = false;
    const qint32 known = m_announced;
    if (known >= count())
        return;
    const auto lessThan = byText();
    const auto tail = m_items.begin() + known;
    if (m_sorted)
        std::stable_sort(tail, m_items.end(), lessThan);
    beginInsertRows({}, known, count() - 1);
    m_announced = count();
    endInsertRows();
    if (m_sorted && known > 0 && less(m_items[size_t(known)], m_items[size_t(known - 1)]))
        mergeTail(known);
}

// The rows from known on are sorted among themselves and follow the sorted rows before them: one
// stable merge puts them in place, earlier items first among equal texts.
void ListExModel::mergeTail(qint32 known)
{
    const auto lessThan = byText();
    const auto head = m_items.begin(), tail = head + known, end = m_items.end();
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &i : from) {
        const ItemRecord &item = m_items[size_t(i.row())];
        // An old item moves down by the new ones that sort before it; a new one comes after
        // every old item that does not sort after it.
        const qsizetype row = i.row() < known
                                  ? i.row() + (std::lower_bound(tail, end, item, lessThan) - tail)
                                  : i.row() - known + (std::upper_bound(head, tail, item, lessThan) - head);
        to.append(index(int(row), i.column()));
    }
    std::inplace_merge(head, tail, end, lessThan);
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ListExModel::setSorted(bool sorted)
{
    if (sorted == m_sorted)
        return;
    flush();
    m_sorted = sorted;
    if (!sorted || std::is_sorted(m_items.begin(), m_items.end(), byText()))
        return;
    // Sort what is there: the order of rows, then the items by it.
    std::vector<qint32> order(m_items.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = qint32(i);
    std::stable_sort(order.begin(), order.end(),
                     [this](qint32 a, qint32 b) { return less(m_items[size_t(a)], m_items[size_t(b)]); });
    std::vector<qint32> newRow(order.size());
    for (size_t i = 0; i < order.size(); ++i)
        newRow[size_t(order[i])] = qint32(i);
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList from = persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &i : from)
        to.append(index(newRow[size_t(i.row())], i.column()));
    std::vector<ItemRecord> sortedItems;
    sortedItems.reserve(m_items.size());
    for (qint32 row : order)
        sortedItems.push_back(std::move(m_items[size_t(row)]));
    m_items.swap(sortedItems);
    changePersistentIndexList(from, to);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ListExModel::clear()
{
    beginResetModel();
    m_items.clear();
    m_items.shrink_to_fit();
    m_texts = QString();
    m_announced = 0;
    m_paletteItems = 0;
    m_pictures.clear();
    m_pictureByKey.clear();
    m_faceQueue.clear();
    endResetModel();
}

void ListExModel::refreshAll()
{
    flush();
    // A font item whose family was changed through its font is looked at again.
    for (ItemRecord &item : m_items) {
        ItemExtra *extra = item.extra.get();
        if (extra && extra->fontItem && extra->face != ItemExtra::Face::Unknown &&
            extra->face != ItemExtra::Face::Queued && extra->checkedFamily != extra->font->family())
            extra->face = ItemExtra::Face::Unknown;
    }
    if (m_announced > 0)
        emit dataChanged(index(0), index(m_announced - 1));
}

const ItemRecord &ListExModel::record(qint32 row) const
{
    if (row < 0 || row >= count())
        throw std::out_of_range("ListEx: " + noItemAt(row, count()));
    return m_items[size_t(row)];
}

ItemRecord &ListExModel::record(qint32 row)
{
    return const_cast<ItemRecord &>(std::as_const(*this).record(row));
}

qint32 ListExModel::find(QStringView wanted, bool exact)
{
    flush();
    const qint32 n = count();
    if (exact) {
        for (qint32 i = 0; i < n; ++i) {
            const ItemRecord &item = m_items[size_t(i)];
            if (item.textSize == quint32(wanted.size()) &&
                text(item).compare(wanted, Qt::CaseInsensitive) == 0)
                return i;
        }
    } else {
        for (qint32 i = 0; i < n; ++i)
            if (text(m_items[size_t(i)]).startsWith(wanted, Qt::CaseInsensitive))
                return i;
    }
    return -1;
}

QFont &ListExModel::ownFont(qint32 row)
{
    ItemExtra &extra = record(row).ensureExtra();
    if (!extra.font)
        extra.font = m_listFont();
    return *extra.font;
}

void ListExModel::setEnabled(qint32 row, bool enabled)
{
    ItemRecord &item = record(row);
    if (bool(item.enabled) == enabled)
        return;
    item.enabled = enabled;
    if (row < m_announced)
        emit dataChanged(index(row), index(row), {EnabledRole});
}

qint32 ListExModel::pictureIndex(const QPixmap &picture)
{
    if (picture.isNull())
        return -1;
    const auto found = m_pictureByKey.constFind(picture.cacheKey());
    if (found != m_pictureByKey.cend())
        return *found;
    const qint32 index = qint32(m_pictures.size());
    m_pictures.append(picture);
    m_pictureByKey.insert(picture.cacheKey(), index);
    return index;
}

void ListExModel::followPalette(const QPalette &palette)
{
    if (m_paletteItems == 0)
        return;
    for (ItemRecord &item : m_items)
        if (item.extra && item.extra->paletteRole >= 0)
            item.itemColor =
                FromQColor(palette.color(QPalette::Active, QPalette::ColorRole(item.extra->paletteRole)));
    if (m_announced > 0)
        emit dataChanged(index(0), index(m_announced - 1), {Qt::ForegroundRole, ItemColorRole});
}

void ListExModel::queueFaceCheck(ItemExtra *extra, QStringView text) const
{
    extra->face = ItemExtra::Face::Queued;
    m_faceQueue.append({extra, text.toString()});
    if (m_faceQueue.size() == 1)
        QMetaObject::invokeMethod(const_cast<ListExModel *>(this), &ListExModel::checkQueuedFaces,
                                  Qt::QueuedConnection);
}

// Looks at faces for a few milliseconds per turn of the event loop, so that a list of fonts never
// stalls the window: its rows show in the list's font first and in their own faces a moment later.
void ListExModel::checkQueuedFaces()
{
    constexpr qint64 kBudgetNs = 4'000'000;
    if (m_faceQueue.isEmpty())
        return;
    QElapsedTimer spent;
    spent.start();
    do {
        const auto [extra, text] = m_faceQueue.takeFirst();
        extra->checkedFamily = extra->font->family();
        extra->face = faceDrawsText(*extra, text) ? ItemExtra::Face::Own : ItemExtra::Face::ListFont;
    } while (!m_faceQueue.isEmpty() && spent.nsecsElapsed() < kBudgetNs);
    if (m_announced > 0)
        emit dataChanged(index(0), index(m_announced - 1), {Qt::FontRole});
    if (!m_faceQueue.isEmpty())
        QMetaObject::invokeMethod(this, &ListExModel::checkQueuedFaces, Qt::QueuedConnection);
}

// Whether the face the font resolves to is the family asked for and has a glyph for every
// character of the text, code point by code point. The face alone is asked: a font's fallbacks
// would find a glyph somewhere for almost anything, loading face after face to do so. Symbol
// faces map letters to signs, so they cannot show their name.
bool ListExModel::faceDrawsText(const ItemExtra &extra, QStringView text) const
{
    // Looked at through a font of its own: the item's font keeps the face it loads for as long as
    // the list holds the item, which only a face that is used should cost.
    QFont font;
    font.fromString(extra.font->toString());
    // Qt names a family found at several foundries "Family [Foundry]".
    const QString resolved = QFontInfo(font).family();
    if (resolved.section(QStringLiteral(" ["), 0, 0).compare(font.family(), Qt::CaseInsensitive) != 0)
        return false;
    if (QFontDatabase::writingSystems(resolved).contains(QFontDatabase::Symbol))
        return false;
    const QRawFont face = QRawFont::fromFont(font);
    for (const char32_t c : text.toUcs4())
        if (!QChar::isSpace(c) && !face.supportsCharacter(c))
            return false;
    QFontInfo(*extra.font).family(); // loaded now, from the font cache, rather than while painting
    return true;
}

} // namespace KvListEx
