// SPDX-License-Identifier: BSD-3-Clause
#include "listexmodel_p.h"

#include <QBrush>
#include <QDataStream>
#include <QGuiApplication>
#include <QIODevice>
#include <QIcon>
#include <QMetaObject>
#include <QMimeData>
#include <QRegularExpression>

#include <algorithm>
#include <limits>
#include <numeric>

namespace KvListEx {

// Every item of a long list is one of these; keep it from growing unnoticed.
static_assert(sizeof(void *) != 8 || sizeof(ItemRecord) <= 32);

namespace {
constexpr qint32 kMaxPictures = (1 << 28) - 1;
constexpr qsizetype kMaxTexts = qsizetype(std::numeric_limits<quint32>::max());
} // namespace

ItemExtra &ItemRecord::ensureExtra()
{
    if (!extra)
        extra = std::make_unique<ItemExtra>();
    return *extra;
}

ListExModelPrivate::Announcing::~Announcing()
{
    if (--m_d->depth > 0 || m_d->waiting.empty())
        return;
    // Changes asked for during the announcement, in the order asked; each may ask for more.
    while (!m_d->waiting.empty() && m_d->depth == 0) {
        const std::function<void()> change = std::move(m_d->waiting.front());
        m_d->waiting.erase(m_d->waiting.begin());
        change();
    }
}

bool ListExModelPrivate::deferred(std::function<void()> change)
{
    if (depth == 0)
        return false;
    waiting.push_back(std::move(change));
    return true;
}

bool ListExModelPrivate::validRow(const char *member, int row, int count) const
{
    if (row >= 0 && row < count)
        return true;
    qWarning("ListExModel::%s: no item at row %d (the model has %d)", member, row, count);
    return false;
}

QStringView ListExModelPrivate::text(const ItemRecord &item) const
{
    // Never a null view: Qt's searches tell a null text from an empty one.
    if (texts.isNull())
        return QStringView(u"");
    return QStringView(texts).sliced(item.textAt, item.textSize);
}

int ListExModelPrivate::sortedBound(QStringView text, bool afterEqual) const
{
    const quint64 key = RowIndex::keyOf(text);
    return rows.partitionPoint([&](quint64 rowKey, quint32 slot) {
        if (const int order = RowIndex::keyOrder(rowKey, key))
            return order < 0;
        const QStringView rowText = this->text(records[slot]);
        return afterEqual ? !less(text, rowText) : less(rowText, text);
    });
}

void ListExModelPrivate::setText(ItemRecord &record, QStringView text)
{
    garbage += record.textSize;
    record.textSize = 0;
    // Replaced and removed texts are dropped from the buffer once they are most of it.
    if (garbage > 65536 && garbage > texts.size() / 2) {
        QString compact;
        compact.reserve(texts.size() - garbage + text.size());
        records.forEach([&](ItemRecord &r) {
            const QStringView old = this->text(r);
            r.textAt = quint32(compact.size());
            compact.append(old);
        });
        texts = std::move(compact);
        garbage = 0;
        paddingAt = -1;
    }
    if (texts.size() + text.size() > kMaxTexts) {
        qWarning("ListExModel: the texts of the list would pass %lld characters; text cut",
                 static_cast<long long>(kMaxTexts));
        text = text.first(std::max<qsizetype>(0, kMaxTexts - texts.size()));
    }
    record.textAt = quint32(texts.size());
    record.textSize = quint32(text.size());
    texts.append(text);
}

qint32 ListExModelPrivate::pictureIndex(const QPixmap &given)
{
    if (given.isNull())
        return -1;
    // A picture that claims no sensible pixel ratio is taken as drawn for ordinary screens: its
    // size in pixels would otherwise be infinite or not a number.
    // Lists are mostly filled with one picture again and again.
    const qint64 givenKey = given.cacheKey();
    if (givenKey == lastGivenKey && lastGivenIndex >= 0) {
        ++pictures[size_t(lastGivenIndex)].users;
        return lastGivenIndex;
    }
    QPixmap picture = given;
    const qreal ratio = given.devicePixelRatio();
    if (!(ratio >= 0.01 && ratio <= 100))
        picture.setDevicePixelRatio(1);
    lastGivenKey = givenKey;
    if (const auto found = pictureByKey.constFind(picture.cacheKey()); found != pictureByKey.cend()) {
        ++pictures[size_t(*found)].users;
        return lastGivenIndex = *found;
    }
    qint32 index;
    if (!freePictures.empty()) {
        index = freePictures.back();
        freePictures.pop_back();
    } else if (pictures.size() < size_t(kMaxPictures)) {
        index = qint32(pictures.size());
        pictures.emplace_back();
    } else {
        qWarning("ListExModel: more than %d different pictures; picture dropped", kMaxPictures);
        return -1;
    }
    pictures[size_t(index)] = {picture, 1};
    pictureByKey.insert(picture.cacheKey(), index);
    return lastGivenIndex = index;
}

void ListExModelPrivate::dropPicture(qint32 index)
{
    if (index < 0)
        return;
    Picture &p = pictures[size_t(index)];
    if (--p.users > 0)
        return;
    pictureByKey.remove(p.pixmap.cacheKey());
    p.pixmap = QPixmap();
    if (index == lastGivenIndex)
        lastGivenIndex = -1;
    freePictures.push_back(index);
}

void ListExModelPrivate::assign(ItemRecord &record, const ListExItem &item)
{
    // A change of another field (setData, SetEnabled) keeps the text where it is in the buffer.
    if (text(record) != item.m_text)
        setText(record, item.m_text);
    const qint32 picture = item.m_picture ? pictureIndex(*item.m_picture) : -1;
    dropPicture(record.picture);
    record.picture = picture;
    record.hasColor = item.m_color.isValid();
    record.color = record.hasColor ? item.m_color.rgba() : 0;
    record.hasBackground = item.m_background.isValid();
    record.background = record.hasBackground ? item.m_background.rgba() : 0;
    record.enabled = item.m_enabled;
    if (record.extra && record.extra->colorRole >= 0)
        --paletteItems;
    const bool needsExtra = !item.m_description.isEmpty() || item.m_font || item.m_data.isValid() ||
                            item.m_hasFontKind || item.m_colorRole != QPalette::NoRole;
    if (!needsExtra) {
        record.extra.reset();
        return;
    }
    ItemExtra &extra = record.ensureExtra();
    extra = ItemExtra();
    extra.description = item.m_description;
    extra.font = item.m_font;
    extra.data = item.m_data;
    extra.fontKind = item.m_fontKind;
    extra.hasFontKind = item.m_hasFontKind;
    sawOwnFont = sawOwnFont || extra.hasOwnFont();
    if (item.m_colorRole != QPalette::NoRole && item.m_colorRole < QPalette::NColorRoles) {
        extra.colorRole = qint8(item.m_colorRole);
        ++paletteItems;
    }
}

quint32 ListExModelPrivate::newRecord()
{
    if (!freeRecords.empty()) {
        const quint32 slot = freeRecords.back();
        freeRecords.pop_back();
        return slot;
    }
    records.emplace_back();
    return quint32(records.size() - 1);
}

quint32 ListExModelPrivate::store(const ListExItem &item)
{
    const quint32 slot = newRecord();
    assign(records[slot], item);
    return slot;
}

void ListExModelPrivate::release(ItemRecord &record)
{
    garbage += record.textSize;
    dropPicture(record.picture);
    if (record.extra && record.extra->colorRole >= 0)
        --paletteItems;
    record = ItemRecord(); // a record used again starts as a plain item
}

QColor ListExModelPrivate::color(const ItemRecord &record) const
{
    if (record.extra && record.extra->colorRole >= 0) {
        const QPalette &pal = palette ? *palette : QGuiApplication::palette();
        return pal.color(QPalette::ColorRole(record.extra->colorRole));
    }
    return record.hasColor ? QColor::fromRgba(record.color) : QColor();
}

ListExItem ListExModelPrivate::toItem(const ItemRecord &record) const
{
    ListExItem item(text(record).toString());
    if (record.picture >= 0)
        item.setPicture(pictures[size_t(record.picture)].pixmap);
    item.setColor(color(record));
    if (record.hasBackground)
        item.setBackground(QColor::fromRgba(record.background));
    item.setEnabled(record.enabled);
    if (const ItemExtra *extra = record.extra.get()) {
        item.setDescription(extra->description);
        if (extra->font)
            item.setFont(*extra->font);
        item.setData(extra->data);
        if (extra->hasFontKind)
            item.setFontKind(extra->fontKind);
        if (extra->colorRole >= 0)
            item.setColorRole(QPalette::ColorRole(extra->colorRole));
    }
    return item;
}

int ListExModelPrivate::insertOne(int row, const ListExItem &item)
{
    if (sorted)
        row = sortedRow(item.text());
    Announcing announcing(this);
    q->beginInsertRows({}, row, row);
    rows.insert(row, entry(store(item)));
    q->endInsertRows();
    return row;
}

void ListExModelPrivate::removeRange(int row, int count)
{
    Announcing announcing(this);
    q->beginRemoveRows({}, row, row + count - 1);
    for (int i = 0; i < count; ++i) {
        const quint32 slot = rows.take(row).slot;
        release(records[slot]);
        freeRecords.push_back(slot);
    }
    if (rows.size() == 0) { // the last item went: give the memory back
        records.clear();
        freeRecords.clear();
        freeRecords.shrink_to_fit();
        texts = QString();
        garbage = 0;
        paddingAt = -1;
    }
    q->endRemoveRows();
}

void ListExModelPrivate::moveRow(int from, int to)
{
    // to: the row it ends at
    if (from == to)
        return;
    Announcing announcing(this);
    q->beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    rows.insert(to, rows.take(from));
    q->endMoveRows();
}

int ListExModelPrivate::resort(int row)
{
    if (!sorted)
        return row;
    // Still in order where it stands: it keeps its place among equal texts.
    const QStringView own = textAt(row);
    if ((row == 0 || !less(own, textAt(row - 1))) && (row == rows.size() - 1 || !less(textAt(row + 1), own)))
        return row;
    const RowIndex::Entry taken = rows.take(row);
    const int to = sortedRow(text(records[taken.slot]));
    rows.insert(row, taken);
    moveRow(row, to);
    return to;
}

void ListExModelPrivate::sortAll(Qt::SortOrder direction)
{
    const std::vector<RowIndex::Entry> order = rows.toVector();
    std::vector<qint32> byRow(order.size());
    std::iota(byRow.begin(), byRow.end(), 0);
    const auto lessThan = [&](qint32 a, qint32 b) {
        return direction == Qt::AscendingOrder ? less(order[size_t(a)], order[size_t(b)])
                                               : less(order[size_t(b)], order[size_t(a)]);
    };
    if (std::is_sorted(byRow.begin(), byRow.end(), lessThan))
        return;
    std::stable_sort(byRow.begin(), byRow.end(), lessThan);
    Announcing announcing(this);
    emit q->layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<qint32> newRow(byRow.size());
    std::vector<RowIndex::Entry> sortedOrder(byRow.size());
    for (size_t i = 0; i < byRow.size(); ++i) {
        newRow[size_t(byRow[i])] = qint32(i);
        sortedOrder[i] = order[size_t(byRow[i])];
    }
    const QModelIndexList from = q->persistentIndexList();
    QModelIndexList to;
    to.reserve(from.size());
    for (const QModelIndex &i : from)
        to.append(q->index(newRow[size_t(i.row())], i.column()));
    rows.assign(sortedOrder);
    q->changePersistentIndexList(from, to);
    emit q->layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void ListExModelPrivate::changedAll(const QList<int> &roles)
{
    if (rows.size() == 0)
        return;
    Announcing announcing(this);
    emit q->dataChanged(q->index(0), q->index(rows.size() - 1), roles);
}

QFont &ListExModelPrivate::ownFont(int row, const QFont &listFont)
{
    ItemExtra &extra = at(row).ensureExtra();
    if (!extra.font)
        extra.font = listFont;
    sawOwnFont = sawOwnFont || extra.hasOwnFont();
    return *extra.font;
}

bool ListExModelPrivate::ownsRow(const QModelIndex &index) const
{
    // Quietly: views and testers ask about invalid indexes on purpose.
    return index.isValid() && index.model() == q && index.column() == 0 && index.row() < rows.size();
}

ListExModel::ListExModel(QObject *parent)
    : QAbstractListModel(parent)
    , d(std::make_unique<ListExModelPrivate>(this))
{
}

ListExModel::~ListExModel() = default;

QModelIndex ListExModel::index(int row, int column, const QModelIndex &parent) const
{
    // Straight from the count: a view laying out asks for every row, twice.
    return row >= 0 && row < d->rows.size() && column == 0 && !parent.isValid() ? createIndex(row, 0)
                                                                                : QModelIndex();
}

int ListExModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : d->rows.size();
}

int ListExModel::count() const
{
    return d->rows.size();
}

QVariant ListExModel::data(const QModelIndex &index, int role) const
{
    if (!d->ownsRow(index))
        return {};
    const quint32 slot = d->rows.at(index.row());
    const ItemRecord &it = d->records[slot];
    const ItemExtra *extra = it.extra.get();
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
    case Qt::AccessibleTextRole:
        return d->text(it).toString();
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        return extra && !extra->description.isEmpty() ? QVariant(extra->description) : QVariant();
    case Qt::DecorationRole:
        return it.picture >= 0 ? QVariant(d->pictures[size_t(it.picture)].pixmap) : QVariant();
    case Qt::FontRole:
        if (!extra || !extra->font)
            return {};
        if (extra->hasFontKind && extra->face != ItemExtra::Face::Own) {
            if (extra->face == ItemExtra::Face::Unknown)
                d->queueFaceCheck(slot);
            return {}; // the list's font, until the face is known to draw the text
        }
        return *extra->font;
    case Qt::ForegroundRole: {
        const QColor c = d->color(it);
        return c.isValid() ? QVariant(QBrush(c)) : QVariant();
    }
    case Qt::BackgroundRole:
        return it.hasBackground ? QVariant(QBrush(QColor::fromRgba(it.background))) : QVariant();
    case ItemDataRole:
        return extra ? extra->data : QVariant();
    case EnabledRole:
        return bool(it.enabled);
    case PaletteColorRole:
        return extra && extra->colorRole >= 0 ? int(extra->colorRole) : int(QPalette::NoRole);
    case FontKindRole:
        return extra && extra->hasFontKind ? QVariant(extra->fontKind) : QVariant();
    default:
        return {};
    }
}

namespace {

bool isInteger(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Long:
    case QMetaType::ULong:
        return true;
    default:
        return false;
    }
}

// A text, or a number or a character shown as one; not a font, a colour or a list.
bool isText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::QByteArray:
    case QMetaType::QChar:
    case QMetaType::Double:
    case QMetaType::Float:
        return true;
    default:
        return isInteger(value);
    }
}

// A colour from a QColor or QBrush value; nullopt for a value of another type.
std::optional<QColor> colorValue(const QVariant &value)
{
    if (!value.isValid())
        return QColor();
    if (value.metaType() == QMetaType::fromType<QColor>())
        return value.value<QColor>();
    if (value.metaType() == QMetaType::fromType<QBrush>()) {
        // An item colour is one colour: no brush removes it, and a pattern is not kept.
        const QBrush brush = value.value<QBrush>();
        if (brush.style() == Qt::NoBrush)
            return QColor();
        if (brush.style() == Qt::SolidPattern)
            return brush.color();
        return std::nullopt;
    }
    if (value.metaType() == QMetaType::fromType<Qt::GlobalColor>())
        return QColor(value.value<Qt::GlobalColor>());
    return std::nullopt;
}

// Sets one role of an item from a value; false for a role the model does not keep or a value
// of the wrong type.
bool setRole(ListExItem &item, int role, const QVariant &value)
{
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        if (!isText(value))
            return false;
        item.setText(value.toString());
        break;
    case Qt::DecorationRole:
        if (value.metaType() == QMetaType::fromType<QIcon>()) {
            // The icon's largest picture up to 256 pixels: the list scales it to the row's box.
            const QIcon icon = value.value<QIcon>();
            item.setPicture(icon.pixmap(icon.actualSize(QSize(256, 256))));
        } else if (value.isValid() && !value.canConvert<QPixmap>()) {
            return false;
        } else {
            item.setPicture(value.value<QPixmap>());
        }
        break;
    case Qt::ForegroundRole: {
        const auto c = colorValue(value);
        if (!c)
            return false;
        item.setColor(*c);
        break;
    }
    case Qt::BackgroundRole: {
        const auto c = colorValue(value);
        if (!c)
            return false;
        item.setBackground(*c);
        break;
    }
    case Qt::FontRole:
        if (!value.isValid())
            item.unsetFont();
        else if (value.metaType() == QMetaType::fromType<QFont>())
            item.setFont(value.value<QFont>());
        else
            return false;
        break;
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole:
        item.setDescription(value.toString());
        break;
    case ListExModel::ItemDataRole:
        item.setData(value);
        break;
    case ListExModel::EnabledRole:
        if (value.typeId() != QMetaType::Bool && !isInteger(value))
            return false;
        item.setEnabled(value.toBool());
        break;
    case ListExModel::PaletteColorRole:
        if (!isInteger(value) || value.toInt() < 0 || value.toInt() > QPalette::NoRole)
            return false;
        item.setColorRole(QPalette::ColorRole(value.toInt()));
        break;
    case ListExModel::FontKindRole:
        if (!value.isValid())
            item.unsetFontKind();
        else if (isInteger(value))
            item.setFontKind(value.toInt());
        else
            return false;
        break;
    default:
        return false;
    }
    return true;
}

} // namespace

bool ListExModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!d->ownsRow(index))
        return false;
    if (d->depth > 0) {
        const QPersistentModelIndex at(index);
        d->deferred([this, at, value, role] {
            if (at.isValid())
                setData(at, value, role);
        });
        return true;
    }
    const int row = index.row();
    ListExItem item = d->toItem(d->at(row));
    if (!setRole(item, role, value))
        return false;
    setItem(row, item);
    return true;
}

QMap<int, QVariant> ListExModel::itemData(const QModelIndex &index) const
{
    QMap<int, QVariant> roles;
    if (!d->ownsRow(index))
        return roles;
    // Read from the item, not through data(): a font family item's font is kept even while
    // its row shows in the list's font.
    const ListExItem item = d->toItem(d->at(index.row()));
    roles.insert(Qt::DisplayRole, item.text());
    if (!item.picture().isNull())
        roles.insert(Qt::DecorationRole, item.picture());
    if (item.colorRole() != QPalette::NoRole)
        roles.insert(PaletteColorRole, int(item.colorRole()));
    else if (item.color().isValid())
        roles.insert(Qt::ForegroundRole, item.color());
    if (item.background().isValid())
        roles.insert(Qt::BackgroundRole, item.background());
    if (item.hasFont())
        roles.insert(Qt::FontRole, item.font());
    if (!item.description().isEmpty())
        roles.insert(Qt::ToolTipRole, item.description());
    if (item.data().isValid())
        roles.insert(ItemDataRole, item.data());
    roles.insert(EnabledRole, item.isEnabled());
    if (item.hasFontKind())
        roles.insert(FontKindRole, item.fontKind());
    return roles;
}

bool ListExModel::setItemData(const QModelIndex &index, const QMap<int, QVariant> &roles)
{
    if (!d->ownsRow(index) || roles.isEmpty())
        return false;
    ListExItem item = d->toItem(d->at(index.row()));
    for (auto it = roles.begin(); it != roles.end(); ++it)
        if (!setRole(item, it.key(), it.value()))
            return false; // all or nothing
    if (d->depth > 0) {
        const QPersistentModelIndex at(index);
        d->deferred([this, at, roles] {
            if (at.isValid())
                setItemData(at, roles);
        });
        return true;
    }
    setItem(index.row(), item);
    return true;
}

Qt::DropActions ListExModel::supportedDropActions() const
{
    return Qt::CopyAction | Qt::MoveAction;
}

bool ListExModel::dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                               const QModelIndex &parent)
{
    if (!canDropMimeData(data, action, row, column, parent))
        return false;
    if (action == Qt::IgnoreAction)
        return true;
    // Qt's own format: each dropped cell's row, column and roles. Each row becomes one item,
    // made whole before it is inserted, so that a sorted model puts it in its place.
    QByteArray encoded = data->data(mimeTypes().constFirst());
    QDataStream stream(&encoded, QIODevice::ReadOnly);
    QList<ListExItem> items;
    int lastRow = -1;
    while (!stream.atEnd()) {
        int r = 0, c = 0;
        QMap<int, QVariant> roles;
        stream >> r >> c >> roles;
        if (stream.status() != QDataStream::Ok)
            return false;
        if (c != 0)
            continue; // the list has one column
        if (items.isEmpty() || r != lastRow)
            items.append(ListExItem());
        lastRow = r;
        for (auto it = roles.begin(); it != roles.end(); ++it)
            setRole(items.last(), it.key(), it.value()); // roles the model does not keep are left out
    }
    if (parent.isValid())
        row = parent.row(); // dropped on an item: before it
    if (row < 0 || row > count())
        row = count();
    for (const ListExItem &item : std::as_const(items))
        insertItem(std::min(row++, count()), item);
    return true;
}

Qt::ItemFlags ListExModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled; // items are dropped between rows, as in QListWidget
    if (!d->ownsRow(index))
        return Qt::NoItemFlags;
    // A disabled item is neither enabled nor selectable for Qt: views, type-ahead and the mouse
    // pass it by.
    return d->at(index.row()).enabled ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable |
                                            Qt::ItemIsDragEnabled | Qt::ItemNeverHasChildren
                                      : Qt::ItemNeverHasChildren;
}

bool ListExModel::insertRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || row > rowCount() || count < 1 ||
        count > std::numeric_limits<int>::max() - rowCount())
        return false;
    if (d->sorted)
        row = d->sortedRow(u""); // empty texts go where they sort
    if (d->depth > 0 && d->deferred([this, row, count] { insertRows(std::min(row, rowCount()), count); }))
        return true;
    ListExModelPrivate::Announcing announcing(d.get());
    beginInsertRows({}, row, row + count - 1);
    for (int i = 0; i < count; ++i)
        d->rows.insert(row + i, d->entry(d->store(ListExItem())));
    endInsertRows();
    return true;
}

bool ListExModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count < 1 || row > rowCount() - count)
        return false;
    if (d->depth > 0) {
        // Rows are named by their items, which may have moved by the time the change is made.
        QList<QPersistentModelIndex> items;
        for (int i = row; i < row + count; ++i)
            items.append(QPersistentModelIndex(index(i)));
        d->deferred([this, items] {
            for (const QPersistentModelIndex &i : items)
                if (i.isValid())
                    d->removeRange(i.row(), 1);
        });
        return true;
    }
    d->removeRange(row, count);
    return true;
}

bool ListExModel::moveRows(const QModelIndex &sourceParent, int sourceRow, int count,
                           const QModelIndex &destinationParent, int destinationChild)
{
    const int n = rowCount();
    if (sourceParent.isValid() || destinationParent.isValid() || d->sorted || count < 1 || sourceRow < 0 ||
        sourceRow > n - count || destinationChild < 0 || destinationChild > n ||
        (destinationChild >= sourceRow && destinationChild <= sourceRow + count))
        return false;
    if (d->depth > 0) {
        d->deferred([this, sourceRow, count, destinationChild] {
            moveRows({}, sourceRow, count, {}, destinationChild);
        });
        return true;
    }
    ListExModelPrivate::Announcing announcing(d.get());
    beginMoveRows({}, sourceRow, sourceRow + count - 1, {}, destinationChild);
    std::vector<RowIndex::Entry> moving;
    moving.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        moving.push_back(d->rows.take(sourceRow));
    const int at = destinationChild > sourceRow ? destinationChild - count : destinationChild;
    for (int i = 0; i < count; ++i)
        d->rows.insert(at + i, moving[size_t(i)]);
    endMoveRows();
    return true;
}

void ListExModel::sort(int column, Qt::SortOrder order)
{
    if (column != 0)
        return;
    if (d->depth > 0 && d->deferred([this, column, order] { sort(column, order); }))
        return;
    if (d->sorted && order == Qt::DescendingOrder) {
        qWarning("ListExModel::sort: a sorted model keeps its items in ascending order; descending "
                 "order refused");
        return;
    }
    d->sortAll(order);
}

QHash<int, QByteArray> ListExModel::roleNames() const
{
    QHash<int, QByteArray> names = QAbstractListModel::roleNames();
    names.insert(Qt::ForegroundRole, "foreground");
    names.insert(Qt::BackgroundRole, "background");
    names.insert(Qt::FontRole, "font");
    names.insert(ItemDataRole, "itemData");
    names.insert(EnabledRole, "enabled");
    names.insert(PaletteColorRole, "paletteColor");
    names.insert(FontKindRole, "fontKind");
    return names;
}

ListExItem ListExModel::item(int row) const
{
    if (!d->validRow("item", row, count()))
        return {};
    return d->toItem(d->at(row));
}

bool ListExModel::setItem(int row, const ListExItem &item)
{
    if (!d->validRow("setItem", row, count()))
        return false;
    if (d->depth > 0) {
        const QPersistentModelIndex at(index(row));
        d->deferred([this, at, item] {
            if (at.isValid())
                setItem(at.row(), item);
        });
        return true;
    }
    // One announcement: a change asked for while the row moves waits until its dataChanged is out.
    ListExModelPrivate::Announcing announcing(d.get());
    d->assign(d->at(row), item);
    d->rows.setKey(row, RowIndex::keyOf(d->textAt(row)));
    row = d->resort(row);
    emit dataChanged(index(row), index(row));
    return true;
}

int ListExModel::insertItem(int row, const ListExItem &item)
{
    if (row < 0 || row > count()) {
        qWarning("ListExModel::insertItem: cannot insert at row %d (the model has %d)", row, count());
        return -1;
    }
    if (d->depth > 0 && d->deferred([this, row, item] { insertItem(std::min(row, count()), item); }))
        return -1;
    if (count() == std::numeric_limits<int>::max()) {
        qWarning("ListExModel::insertItem: the model is full");
        return -1;
    }
    return d->insertOne(row, item);
}

int ListExModel::addItem(const QString &text)
{
    if (d->depth > 0 && d->deferred([this, text] { addItem(text); }))
        return -1;
    if (count() == std::numeric_limits<int>::max()) {
        qWarning("ListExModel::addItem: the model is full");
        return -1;
    }
    // A plain item straight from its text: no item value made on the way.
    const int row = d->sorted ? d->sortedRow(text) : count();
    ListExModelPrivate::Announcing announcing(d.get());
    beginInsertRows({}, row, row);
    const quint32 slot = d->newRecord();
    d->setText(d->records[slot], text);
    d->rows.insert(row, d->entry(slot));
    endInsertRows();
    return row;
}

int ListExModel::addItem(const ListExItem &item)
{
    if (d->depth > 0 && d->deferred([this, item] { addItem(item); }))
        return -1;
    return insertItem(count(), item);
}

void ListExModel::addItems(const QList<ListExItem> &items)
{
    if (items.isEmpty() || (d->depth > 0 && d->deferred([this, items] { addItems(items); })))
        return;
    d->appendMany(items.size(), [&](qsizetype i) { return d->entry(d->store(items[i])); });
}

void ListExModel::addItems(const QStringList &texts)
{
    if (texts.isEmpty() || (d->depth > 0 && d->deferred([this, texts] { addItems(texts); })))
        return;
    // Plain items straight from their texts: the texts are copied into the buffer in one pass,
    // with no item values made on the way.
    const qsizetype fit = std::min<qsizetype>(texts.size(), std::numeric_limits<int>::max() - count());
    qsizetype chars = 0;
    for (qsizetype i = 0; i < fit; ++i)
        chars += texts[i].size();
    if (d->freeRecords.empty())
        d->records.reserve(d->records.size() + size_t(fit));
    if (d->texts.size() + chars + 8 > kMaxTexts) {
        d->appendMany(fit, [&](qsizetype i) {
            const quint32 slot = d->newRecord();
            d->setText(d->records[slot], texts[i]); // cuts the text that does not fit, and says so
            return d->entry(slot);
        });
        return;
    }
    // The texts go in first, and eight NULs after them that belong to no item, so that every
    // text's key is read from its copy eight letters at once. The NULs of the last call, if
    // nothing came after them, make room for these texts.
    qsizetype at = d->texts.size();
    if (d->paddingAt >= 0 && d->paddingAt + 8 == at) {
        at = d->paddingAt;
        d->garbage -= 8;
    }
    d->texts.reserve(at + chars + 8);
    d->texts.resize(at + chars + 8);
    QChar *copy = d->texts.data() + at;
    for (qsizetype i = 0; i < fit; ++i)
        copy = std::copy_n(texts[i].constData(), texts[i].size(), copy);
    std::fill_n(copy, 8, QChar());
    d->paddingAt = at + chars;
    d->garbage += 8;
    d->appendMany(fit, [&](qsizetype i) {
        const quint32 slot = d->newRecord();
        ItemRecord &record = d->records[slot];
        record.textAt = quint32(at);
        record.textSize = quint32(texts[i].size());
        at += texts[i].size();
        const auto *text = reinterpret_cast<const char16_t *>(d->texts.constData()) + record.textAt;
        return RowIndex::Entry{slot, keyOfPadded(text, record.textSize)};
    });
}

ListExItem ListExModel::takeItem(int row)
{
    if (!d->validRow("takeItem", row, count()))
        return {};
    if (d->depth > 0) {
        qWarning("ListExModel::takeItem: the model is announcing a change; removeRows() waits for its end, "
                 "takeItem() cannot: nothing taken");
        return {};
    }
    ListExItem item = d->toItem(d->at(row));
    d->removeRange(row, 1);
    return item;
}

void ListExModel::clear()
{
    if (d->depth > 0 && d->deferred([this] { clear(); }))
        return;
    ListExModelPrivate::Announcing announcing(d.get());
    beginResetModel();
    d->rows.clear();
    d->records.clear();
    d->freeRecords.clear();
    d->texts = QString();
    d->garbage = 0;
    d->paddingAt = -1;
    d->pictures.clear();
    d->pictureByKey.clear();
    d->lastGivenIndex = -1;
    d->sawOwnFont = false;
    d->freePictures.clear();
    d->paletteItems = 0;
    d->faceQueue.clear();
    endResetModel();
}

bool ListExModel::isSorted() const
{
    return d->sorted;
}

void ListExModel::setSorted(bool sorted)
{
    if (d->depth > 0 && d->deferred([this, sorted] { setSorted(sorted); }))
        return;
    if (sorted == d->sorted)
        return;
    d->sorted = sorted;
    if (sorted)
        d->sortAll();
    ListExModelPrivate::Announcing announcing(d.get());
    emit sortedChanged(sorted);
}

QPalette ListExModel::palette() const
{
    return d->palette ? *d->palette : QGuiApplication::palette();
}

void ListExModel::setPalette(const QPalette &palette)
{
    if (d->palette && *d->palette == palette && palette.resolveMask() == d->palette->resolveMask())
        return;
    d->palette = palette;
    if (d->paletteItems > 0)
        d->changedAll({Qt::ForegroundRole});
}

namespace {

char16_t asciiFolded(char16_t c)
{
    return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c;
}

// Whether text starts with (or, whole, equals) wanted, ignoring case. wanted is ASCII and given
// folded; the loop stays on ASCII and leaves any other letter to Qt's folding.
bool asciiMatch(QStringView text, QStringView wanted, QStringView folded, bool whole)
{
    const qsizetype n = folded.size();
    if (whole ? text.size() != n : text.size() < n)
        return false;
    if (n == 0)
        return true;
    // Texts in one list often share their beginnings: their last compared letters tell them apart.
    const char16_t last = text[n - 1].unicode();
    if (last < 128 && asciiFolded(last) != folded[n - 1].unicode())
        return false;
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (c >= 128)
            return text.first(n).compare(wanted, Qt::CaseInsensitive) == 0;
        if (asciiFolded(c) != folded[i].unicode())
            return false;
    }
    return true;
}

} // namespace

int ListExModel::findRow(const QString &text, Qt::MatchFlags flags, int from) const
{
    const int n = count();
    if (from < 0 || from > n) {
        qWarning("ListExModel::findRow: no row %d to start from (the model has %d)", from, n);
        return -1;
    }
    const Qt::CaseSensitivity cs = flags & Qt::MatchCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
    const bool wrap = flags & Qt::MatchWrap;
    const QStringView wanted(text);
    const uint type = uint(flags & 0x0F);
    // Only rows whose keys agree with the text's beginning are read: mask and value pick them.
    const auto run = [&](auto &&test, quint64 mask = 0, quint64 value = 0) {
        const auto bySlot = [&](quint32 slot) { return test(d->text(d->records[slot])); };
        const int found = d->rows.find(from, n, bySlot, mask, value);
        return found >= 0 || !wrap ? found : d->rows.find(0, from, bySlot, mask, value);
    };
    switch (type) {
    case Qt::MatchExactly:
    case Qt::MatchFixedString:
    case Qt::MatchStartsWith: {
        const bool whole = type != Qt::MatchStartsWith;
        const auto matches = [&](QStringView t) {
            return whole ? t.size() == wanted.size() && t.compare(wanted, cs) == 0 : t.startsWith(wanted, cs);
        };
        if (d->sorted && cs == Qt::CaseInsensitive) {
            // The matches are one run of rows, from the first that does not sort before the text.
            const int lo = d->sortedBound(wanted, false);
            const int start = std::max(lo, from);
            if (start < n && matches(d->textAt(start)))
                return start;
            return wrap && lo < from && matches(d->textAt(lo)) ? lo : -1;
        }
        const quint64 key = RowIndex::keyOf(wanted);
        const bool ascii =
            std::all_of(wanted.begin(), wanted.end(), [](QChar c) { return c.unicode() < 128; });
        // A match, in either case sensitivity, shares the key of the text's known beginning; a
        // whole match also its end within the key.
        const int known =
            std::min(RowIndex::knownBytes(key), whole ? 8 : int(std::min<qsizetype>(wanted.size(), 8)));
        const quint64 mask = known ? ~quint64(0) << (64 - 8 * known) : 0;
        if (cs == Qt::CaseInsensitive && ascii) {
            QString folded(wanted.size(), Qt::Uninitialized);
            for (qsizetype i = 0; i < wanted.size(); ++i)
                folded[i] = QChar(asciiFolded(wanted[i].unicode()));
            return run([&](QStringView t) { return asciiMatch(t, wanted, folded, whole); }, mask, key & mask);
        }
        return run(matches, mask, key & mask);
    }
    case Qt::MatchContains:
        return run([&](QStringView t) { return t.contains(wanted, cs); });
    case Qt::MatchEndsWith:
        return run([&](QStringView t) { return t.endsWith(wanted, cs); });
    case Qt::MatchRegularExpression:
    case Qt::MatchWildcard: {
        const QString pattern =
            type == Qt::MatchWildcard ? QRegularExpression::wildcardToRegularExpression(text) : text;
        const QRegularExpression re(pattern, cs == Qt::CaseSensitive
                                                 ? QRegularExpression::NoPatternOption
                                                 : QRegularExpression::CaseInsensitiveOption);
        if (!re.isValid()) {
            qWarning("ListExModel::findRow: %s is no valid pattern", qPrintable(text));
            return -1;
        }
        return run([&](QStringView t) { return re.match(t).hasMatch(); });
    }
    default:
        qWarning("ListExModel::findRow: match type %u is not understood", type);
        return -1;
    }
}

QModelIndexList ListExModel::match(const QModelIndex &start, int role, const QVariant &value, int hits,
                                   Qt::MatchFlags flags) const
{
    const bool textRole = role == Qt::DisplayRole || role == Qt::EditRole;
    if (!textRole || (flags & Qt::MatchRecursive) || start.parent().isValid() ||
        !value.canConvert<QString>() || (flags & 0x0F) == Qt::MatchExactly)
        return QAbstractListModel::match(start, role, value, hits, flags);
    QModelIndexList found;
    const int n = count();
    const int begin = start.isValid() ? start.row() : 0;
    const QString text = value.toString();
    const Qt::MatchFlags once = flags & ~Qt::MatchWrap;
    for (int pass = 0; pass < 2 && (hits < 0 || found.size() < hits); ++pass) {
        const int to = pass == 0 ? n : begin;
        int row = pass == 0 ? begin : 0;
        if (pass == 1 && !(flags & Qt::MatchWrap))
            break;
        while (row < to && (hits < 0 || found.size() < hits)) {
            const int r = findRow(text, once, row);
            if (r < 0 || r >= to)
                break;
            found.append(index(r));
            row = r + 1;
        }
    }
    return found;
}

} // namespace KvListEx
