// SPDX-License-Identifier: BSD-3-Clause
// The classic members over the Qt-style list: positions, numbers and failures as the classic
// control had them.
#include "../listexmodel_p.h"
#include "classic_p.h"

#include <QLineEdit>

#include <stdexcept>

namespace KvListEx::Classic {

std::string noItemAt(qint32 index, qint32 count)
{
    return "no item at position " + std::to_string(index) + " (the list has " + std::to_string(count) +
           " items)";
}

ListEx::ListEx(QWidget *parent)
    : KvListEx::ListEx(parent)
{
    // An item is chosen when the selection comes to the current row; a disabled item, which the
    // program may choose but no selection holds, when it becomes current. Focus alone chooses
    // nothing.
    connect(this, &KvListEx::ListEx::itemSelectionChanged, this, [this] {
        if (selectionModel()->isSelected(currentIndex()))
            emit ItemSelected();
    });
    connect(this, &KvListEx::ListEx::currentRowChanged, this, [this](int row) {
        if (row >= 0 && !(currentIndex().flags() & Qt::ItemIsEnabled))
            emit ItemSelected();
    });
}

ListEx::ListEx(const Properties &stored, QWidget *parent)
    : ListEx(parent)
{
    ReadProperties(stored);
}

ListEx::~ListEx() = default;

void ListEx::AddItem(const QString &text, qint32 index, OleColor itemColor, OleColor backColor,
                     const QFont *font, const QPixmap &picture, qint32 itemData, const QString &description)
{
    if (index < -1 || index > count())
        throw std::out_of_range("ListEx::AddItem: cannot insert at position " + std::to_string(index) +
                                " (the list has " + std::to_string(count()) + " items)");
    for (const OleColor colour : {itemColor, backColor})
        if (colour != kvNoColor && !namesColor(colour))
            throw std::out_of_range("ListEx::AddItem: " + std::to_string(colour) + " names no colour");
    ListExItem item(text);
    item.setColor(ToQColor(itemColor, palette()));
    item.setBackground(ToQColor(backColor, palette()));
    if (font)
        item.setFont(*font);
    item.setPicture(picture);
    if (itemData != -1)
        item.setData(itemData);
    item.setDescription(description);
    insertItem(index == -1 ? count() : index, item);
}

void ListEx::Clear()
{
    clear();
}

void ListEx::Refresh()
{
    auto *model = ListExModelPrivate::get(itemModel());
    model->recheckFaces();
    model->changedAll();
}

qint32 ListEx::FindItem(const QString &text, bool exact) const
{
    return findItem(text, exact ? Qt::MatchFixedString : Qt::MatchStartsWith);
}

qint32 ListEx::FindItem(const QLineEdit &box, bool exact) const
{
    return FindItem(box.text(), exact);
}

qint32 ListEx::ListIndex() const
{
    // The selected item: the current one once chosen (a disabled one is never in the selection
    // model, and focus alone makes a row current without choosing it).
    const QModelIndex current = currentIndex();
    if (!current.isValid() ||
        !(selectionModel()->isSelected(current) || !(current.flags() & Qt::ItemIsEnabled)))
        return -1;
    return currentRow();
}

void ListEx::SetListIndex(qint32 index)
{
    if (index < -1 || index >= count())
        throw std::out_of_range("ListEx::ListIndex: " + noItemAt(index, count()));
    setCurrentRow(index);
}

qint32 ListEx::Style() const
{
    return itemStyle();
}

void ListEx::SetStyle(qint32 style)
{
    if (style < kvText || style > kvLargeColorRect)
        throw std::out_of_range("ListEx::Style: no style " + std::to_string(style) + " (styles are 0 to 4)");
    setItemStyle(ItemStyle(style));
}

ListItemCollection ListEx::ListItems()
{
    return ListItemCollection(this);
}

QString ListEx::Version()
{
    return version();
}

} // namespace KvListEx::Classic
