// SPDX-License-Identifier: BSD-3-Clause
// The system colour set: one item per colour role of the live palette.
#include "classic_p.h"

#include <QCoreApplication>

namespace KvListEx::Classic {

namespace {

struct RoleName {
    QPalette::ColorRole role;
    const char *name;
};

constexpr RoleName kRoles[] = {
    {QPalette::Window, QT_TRANSLATE_NOOP("KvListEx::ListEx", "Window")},
    {QPalette::WindowText, QT_TRANSLATE_NOOP("KvListEx::ListEx", "Window Text")},
    {QPalette::Base, QT_TRANSLATE_NOOP("KvListEx::ListEx", "Base")},
    {QPalette::AlternateBase, QT_TRANSLATE_NOOP("KvListEx::ListEx", "Alternate Base")},
    {QPalette::ToolTipBase, QT_TRANSLATE_NOOP("KvListEx::ListEx", "Tool Tip Base")},
    {QPalette::ToolTipText, QT_TRANSLATE_NOOP("KvListEx::ListEx", "Tool Tip Text")},
    {QPalette::PlaceholderText, QT_TRANSLATE_NOOP("KvListEx::ListEx", "Placeholder Text")},
    {QPalette::Text, QT_TRANSLATE_NOOP("KvListEx::ListEx", "Text")},
    {QPalette::Button, QT_TRANSLATE_NOOP("KvListEx::ListEx", "Button")},
    {QPalette::ButtonText, QT_TRANSLATE_NOOP("KvListEx::ListEx", "Button Text")},
    {QPalette::BrightText, QT_TRANSLATE_NOOP("KvListEx::ListEx", "Bright Text")},
    {QPalette::Light, QT_TRANSLATE_NOOP("KvListEx::ListEx", "Light")},
    {QPalette::Midlight, QT_TRANSLATE_NOOP("KvListEx::ListEx", "Midlight")},
    {QPalette::Mid, QT_TRANSLATE_NOOP("KvListEx::ListEx", "Mid")},
    {QPalette::Dark, QT_TRANSLATE_NOOP("KvListEx::ListEx", "Dark")},
    {QPalette::Shadow, QT_TRANSLATE_NOOP("KvListEx::ListEx", "Shadow")},
    {QPalette::Highlight, QT_TRANSLATE_NOOP("KvListEx::ListEx", "Highlight")},
    {QPalette::HighlightedText, QT_TRANSLATE_NOOP("KvListEx::ListEx", "Highlighted Text")},
    {QPalette::Link, QT_TRANSLATE_NOOP("KvListEx::ListEx", "Link")},
    {QPalette::LinkVisited, QT_TRANSLATE_NOOP("KvListEx::ListEx", "Link Visited")},
};

} // namespace

void ListEx::AddSystemColors()
{
    QList<ListExItem> items;
    for (const RoleName &r : kRoles) {
        ListExItem item(QCoreApplication::translate("KvListEx::ListEx", r.name));
        item.setColorRole(r.role); // follows it, wherever sorting puts the item
        items.append(item);
    }
    addItems(items);
}

// The names follow the language: an item made by AddSystemColors (the one kind of item here whose
// colour follows a palette role) is named anew in the language now loaded.
void ListEx::changeEvent(QEvent *event)
{
    KvListEx::ListEx::changeEvent(event);
    if (event->type() != QEvent::LanguageChange)
        return;
    ListExModel *model = itemModel();
    for (int row = 0; row < model->rowCount(); ++row) {
        const QModelIndex index = model->index(row);
        const int role = index.data(ListExModel::PaletteColorRole).toInt();
        for (const RoleName &r : kRoles)
            if (r.role == role)
                model->setData(index, QCoreApplication::translate("KvListEx::ListEx", r.name));
    }
}

} // namespace KvListEx::Classic
