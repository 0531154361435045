// SPDX-License-Identifier: BSD-3-Clause
// Item handles: each member names its item by position and reads it through the model's roles.
#include "listexmodel_p.h"

namespace KvListEx {

QVariant ListItem::role(int role) const
{
    m_model->flush();
    m_model->record(m_row); // throws once the position names no item
    return m_model->data(m_model->index(m_row), role);
}

QString ListItem::Text() const
{
    return m_model->text(m_model->record(m_row)).toString();
}

OleColor ListItem::ItemColor() const
{
    return role(ItemColorRole).toInt();
}

OleColor ListItem::BackColor() const
{
    return role(BackColorRole).toInt();
}

qint32 ListItem::FontType() const
{
    return role(FontTypeRole).toInt();
}

void ListItem::SetFontType(qint32 type)
{
    ItemRecord &item = m_model->record(m_row);
    if (item.extra || type != kvVectorFont)
        item.ensureExtra().fontType = type;
}

QString ListItem::Description() const
{
    return role(Qt::AccessibleDescriptionRole).toString();
}

qint32 ListItem::ItemData() const
{
    return role(ItemDataRole).toInt();
}

bool ListItem::Enabled() const
{
    return role(EnabledRole).toBool();
}

void ListItem::SetEnabled(bool enabled)
{
    m_model->setEnabled(m_row, enabled);
}

QFont &ListItem::Font()
{
    return m_model->ownFont(m_row);
}

qint32 ListItemCollection::Count() const
{
    return m_model->count();
}

ListItem ListItemCollection::Item(qint32 index) const
{
    m_model->flush();
    m_model->record(index); // throws for a position that names no item
    return ListItem(m_model, index);
}

} // namespace KvListEx
