#include "listexmodel_p.h"

#include "listsettings_p.h"

#include <QMetaObject>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

namespace KvListEx {

ListItem::ListItem(ListItem &&) noexcept = default;
ListItem &ListItem::operator=(ListItem &&) noexcept = default;
ListItem::~ListItem() = default;

// Every item of a long list is one of these; keep it from growing unnoticed.
static_assert(sizeof(void *) != 8 || sizeof(ListItem) <= 40);

QString ListItem::Text() const
{
    return m_model ? m_model->text(*this).toString() : QString();
}

ListItem::Extra &ListItem::extra()
{
    if (!m_extra)
        m_extra = std::make_unique<Extra>();
    return *m_extra;
}

qint32 ListItem::FontType() const
{
    return m_extra ? m_extra->fontType : kvVectorFont;
}

void ListItem::SetFontType(qint32 type)
{
    if (m_extra || type != kvVectorFont)
        extra().fontType = type;
}

QString ListItem::Description() const
{
    return m_extra ? m_extra->description : QString();
}

bool ListItem::HasOwnFont() const
{
    return m_extra && m_extra->font;
}

QFont &ListItem::Font()
{
    Extra &e = extra();
    if (!e.font)
        e.font = m_model ? m_model->settings().font : QFont();
    return *e.font;
}

qint32 ListItemCollection::Count() const
{
    return m_model->count();
}

ListItem &ListItemCollection::Item(qint32 index)
{
    m_model->flush();
    return m_model->item(index);
}

const ListItem &ListItemCollection::Item(qint32 index) const
{
    return m_model->item(index);
}

ListExModel::ListExModel(const ListSettings *settings, QObject *parent)
    : QAbstractListModel(parent)
    , m_settings(settings)
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
    const ListItem &it = m_items[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        return text(it).toString();
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole: {
        const QString description = it.Description();
        return description.isEmpty() ? QVariant() : QVariant(description);
    }
    case Qt::DecorationRole:
        return it.m_picture >= 0 ? QVariant(m_pictures[it.m_picture]) : QVariant();
    case Qt::FontRole:
        return it.HasOwnFont() ? QVariant(font(it)) : QVariant();
    case Qt::BackgroundRole:
        return it.m_backColor == kvNoColor ? QVariant() : QVariant(ToQColor(it.m_backColor, {}));
    case ItemColorRole:
        return it.m_itemColor;
    case BackColorRole:
        return it.m_backColor;
    case FontTypeRole:
        return it.FontType();
    case ItemEnabledRole:
        return it.m_enabled;
    default:
        return {};
    }
}

Qt::ItemFlags ListExModel::flags(const QModelIndex &index) const
{
    if (!index.isValid() || index.row() >= m_announced)
        return Qt::NoItemFlags;
    // A disabled item is neither enabled nor selectable for Qt: views, type-ahead and
    // screen readers then treat it as unavailable.
    return m_items[size_t(index.row())].m_enabled
               ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren
               : Qt::ItemNeverHasChildren;
}

void ListExModel::storeText(ListItem &item, QStringView text)
{
    if (m_texts.size() + text.size() > qsizetype(std::numeric_limits<quint32>::max()))
        throw std::length_error("ListEx: the texts of the list would pass 4294967295 characters");
    item.m_model = this;
    item.m_textAt = quint32(m_texts.size());
    item.m_textSize = quint32(text.size());
    m_texts.append(text);
}

void ListExModel::append(ListItem &&item, QStringView text)
{
    storeText(item, text);
    m_items.push_back(std::move(item));
    if (!m_flushQueued) {
        m_flushQueued = true;
        QMetaObject::invokeMethod(this, &ListExModel::flush, Qt::QueuedConnection);
    }
}

void ListExModel::insert(qint32 row, ListItem &&item, QStringView text)
{
    flush();
    storeText(item, text);
    beginInsertRows({}, row, row);
    m_items.insert(m_items.begin() + row, std::move(item));
    ++m_announced;
    endInsertRows();
}

qint32 ListExModel::sortedRow(QStringView text) const
{
    const auto it =
        std::upper_bound(m_items.begin(), m_items.end(), text, [this](QStringView t, const ListItem &item) {
            return t.compare(this->text(item), Qt::CaseInsensitive) < 0;
        });
    return qint32(it - m_items.begin());
}

void ListExModel::flush()
{
    m_flushQueued = false;
    const qint32 total = count();
    if (m_announced >= total)
        return;
    beginInsertRows({}, m_announced, total - 1);
    m_announced = total;
    endInsertRows();
}

void ListExModel::clear()
{
    beginResetModel();
    m_items.clear();
    m_items.shrink_to_fit();
    m_texts = QString();
    m_announced = 0;
    m_pictures.clear();
    m_pictureByKey.clear();
    endResetModel();
}

void ListExModel::refreshAll()
{
    flush();
    if (m_announced > 0)
        emit dataChanged(index(0), index(m_announced - 1));
}

ListItem &ListExModel::item(qint32 row)
{
    return const_cast<ListItem &>(std::as_const(*this).item(row));
}

const ListItem &ListExModel::item(qint32 row) const
{
    if (row < 0 || row >= count())
        throw std::out_of_range("ListEx: no item at position " + std::to_string(row) + " (the list has " +
                                std::to_string(count()) + " items)");
    return m_items[size_t(row)];
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

QPixmap ListExModel::picture(const ListItem &item) const
{
    return item.m_picture >= 0 ? m_pictures[item.m_picture] : QPixmap();
}

QFont ListExModel::font(const ListItem &item) const
{
    return item.HasOwnFont() ? *item.m_extra->font : m_settings->font;
}

} // namespace KvListEx
