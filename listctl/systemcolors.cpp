// The system colour set: one item per colour role of the live palette.
#include "listex_p.h"

#include <QApplication>

namespace KvListEx {

namespace {

struct RoleName {
    QPalette::ColorRole role;
    const char *name;
};

constexpr RoleName kRoles[] = {
    {QPalette::Window, "Window"},
    {QPalette::WindowText, "Window Text"},
    {QPalette::Base, "Base"},
    {QPalette::AlternateBase, "Alternate Base"},
    {QPalette::ToolTipBase, "Tool Tip Base"},
    {QPalette::ToolTipText, "Tool Tip Text"},
    {QPalette::PlaceholderText, "Placeholder Text"},
    {QPalette::Text, "Text"},
    {QPalette::Button, "Button"},
    {QPalette::ButtonText, "Button Text"},
    {QPalette::BrightText, "Bright Text"},
    {QPalette::Light, "Light"},
    {QPalette::Midlight, "Midlight"},
    {QPalette::Mid, "Mid"},
    {QPalette::Dark, "Dark"},
    {QPalette::Shadow, "Shadow"},
    {QPalette::Highlight, "Highlight"},
    {QPalette::HighlightedText, "Highlighted Text"},
    {QPalette::Link, "Link"},
    {QPalette::LinkVisited, "Link Visited"},
};

} // namespace

void ListEx::AddSystemColors()
{
    const QPalette pal = QApplication::palette();
    for (const RoleName &r : kRoles)
        AddItem(QString::fromLatin1(r.name), -1, FromQColor(pal.color(QPalette::Active, r.role)));
    d->holdsSystemColors = true;
}

// The system colours follow the palette when it changes under a list that shows them.
void ListEx::refreshSystemColors()
{
    if (!d->holdsSystemColors || d->model->count() != qint32(std::size(kRoles)))
        return;
    const QPalette pal = QApplication::palette();
    for (qint32 i = 0; i < d->model->count(); ++i)
        d->model->item(i).m_itemColor = FromQColor(pal.color(QPalette::Active, kRoles[i].role));
    d->model->refreshAll();
}

} // namespace KvListEx
