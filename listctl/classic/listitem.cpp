// SPDX-License-Identifier: BSD-3-Clause
// Item handles: each follows its item through the model and reads it through its roles.
#include "../listexmodel_p.h"
#include "classic_p.h"

#include <stdexcept>

namespace KvListEx::Classic {

int ListItem::row(const char *member) const
{
    if (!m_list || !m_index.isValid())
        throw std::out_of_range(std::string("ListItem::") + member + ": the item is no longer in its list");
    return m_index.row();
}

QString ListItem::Text() const
{
    return m_index.sibling(row("Text"), 0).data().toString();
}

OleColor ListItem::ItemColor() const
{
    const QVariant c = m_index.sibling(row("ItemColor"), 0).data(Qt::ForegroundRole);
    return c.isValid() ? FromQColor(c.value<QBrush>().color()) : kvNoColor;
}

OleColor ListItem::BackColor() const
{
    const QVariant c = m_index.sibling(row("BackColor"), 0).data(Qt::BackgroundRole);
    return c.isValid() ? FromQColor(c.value<QBrush>().color()) : kvNoColor;
}

qint32 ListItem::FontType() const
{
    const QVariant kind = m_index.sibling(row("FontType"), 0).data(ListExModel::FontKindRole);
    return kind.isValid() ? kind.toInt() : kvVectorFont;
}

// The row is asked for first: it throws when the list itself is gone.
void ListItem::SetFontType(qint32 type)
{
    const int r = row("SetFontType");
    m_list->itemModel()->setData(m_index.sibling(r, 0), type, ListExModel::FontKindRole);
}

QString ListItem::Description() const
{
    return m_index.sibling(row("Description"), 0).data(Qt::AccessibleDescriptionRole).toString();
}

qint32 ListItem::ItemData() const
{
    const QVariant data = m_index.sibling(row("ItemData"), 0).data(ListExModel::ItemDataRole);
    return data.isValid() ? data.toInt() : -1;
}

bool ListItem::Enabled() const
{
    return m_index.sibling(row("Enabled"), 0).data(ListExModel::EnabledRole).toBool();
}

void ListItem::SetEnabled(bool enabled)
{
    const int r = row("SetEnabled");
    m_list->itemModel()->setData(m_index.sibling(r, 0), enabled, ListExModel::EnabledRole);
}

QFont &ListItem::Font()
{
    const int r = row("Font");
    return ListExModelPrivate::get(m_list->itemModel())->ownFont(r, m_list->font());
}

qint32 ListItemCollection::Count() const
{
    return m_list ? m_list->count() : 0;
}

ListItem ListItemCollection::Item(qint32 index) const
{
    const qint32 count = Count();
    if (!m_list || index < 0 || index >= count)
        throw std::out_of_range("ListEx: " + noItemAt(index, count));
    return ListItem(m_list, QPersistentModelIndex(m_list->itemModel()->index(index)));
}

} // namespace KvListEx::Classic
