// SPDX-License-Identifier: BSD-3-Clause
// What a screen reader sees of a ListEx: the list, and each row with its name, description,
// states and an action that selects it as a click would.
#include "listex_p.h"

#include <QAccessibleWidget>
#include <QPointer>

namespace KvListEx {

namespace {

class RowAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    RowAccessible(ListEx *list, int row)
        : m_list(list)
        , m_row(row)
    {
    }

    int row() const { return m_row; }
    QModelIndex index() const { return m_list ? m_list->model()->index(m_row, 0) : QModelIndex(); }

    bool isValid() const override { return index().isValid(); }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_list ? m_list->window()->windowHandle() : nullptr; }
    QAccessibleInterface *parent() const override { return QAccessible::queryAccessibleInterface(m_list); }
    QAccessibleInterface *child(int) const override { return nullptr; }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    void setText(QAccessible::Text, const QString &) override {}

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return index().data(Qt::AccessibleTextRole).toString();
        case QAccessible::Description:
            return index().data(Qt::AccessibleDescriptionRole).toString();
        default:
            return {};
        }
    }

    QRect rect() const override
    {
        if (!isValid())
            return {};
        const QRect r = m_list->visualRect(index());
        return QRect(m_list->viewport()->mapToGlobal(r.topLeft()), r.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        const QModelIndex i = index();
        if (!i.isValid()) {
            s.invalid = true;
            return s;
        }
        const bool itemEnabled = i.flags() & Qt::ItemIsEnabled;
        s.disabled = !itemEnabled || !m_list->isEnabled();
        s.selectable = itemEnabled;
        s.focusable = itemEnabled;
        // The rows the list reports selected: also a disabled current item that the program chose
        // in single selection.
        const bool current = m_list->currentIndex() == i;
        const QItemSelectionModel *selection = m_list->selectionModel();
        s.selected =
            selection->isSelected(i) ||
            (current && !itemEnabled && m_list->selectionMode() == QAbstractItemView::SingleSelection &&
             selection->selectedIndexes().isEmpty());
        s.focused = current && m_list->hasFocus();
        s.invisible = !m_list->isVisible();
        s.offscreen = !m_list->viewport()->rect().intersects(m_list->visualRect(i));
        return s;
    }

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface *>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

    void doAction(const QString &name) override
    {
        if (name != pressAction() || state().disabled)
            return;
        m_list->setCurrentIndex(index()); // as a click: selects it and raises ItemSelected
    }

private:
    QPointer<ListEx> m_list;
    int m_row;
};

class ListAccessible : public QAccessibleWidget {
public:
    explicit ListAccessible(ListEx *list)
        : QAccessibleWidget(list, QAccessible::List)
    {
    }

    ListEx *list() const { return static_cast<ListEx *>(widget()); }
    ListExPrivate *dd() const { return ListExPrivate::get(list()); }

    int childCount() const override { return list()->model()->rowCount(); }
    QAccessibleInterface *child(int index) const override { return dd()->accessibleRow(index); }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const auto *row = dynamic_cast<const RowAccessible *>(child);
        return row && row->isValid() && child->parent() == this ? row->row() : -1;
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QModelIndex at = list()->indexAt(list()->viewport()->mapFromGlobal(QPoint(x, y)));
        return at.isValid() ? child(at.row()) : nullptr;
    }

    QAccessibleInterface *focusChild() const override
    {
        return list()->hasFocus() && list()->currentIndex().isValid() ? child(list()->currentIndex().row())
                                                                      : nullptr;
    }
};

QAccessibleInterface *listExFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(ListEx::staticMetaObject.className()))
        if (auto *list = qobject_cast<ListEx *>(object))
            return new ListAccessible(list);
    return nullptr;
}

} // namespace

void installListExAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(listExFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

QAccessibleInterface *ListExPrivate::accessibleRow(int row)
{
    if (row < 0 || row >= q->model()->rowCount())
        return nullptr;
    if (const auto found = accessibleRows.constFind(row); found != accessibleRows.cend())
        return QAccessible::accessibleInterface(*found);
    auto *iface = new RowAccessible(q, row);
    accessibleRows.insert(row, QAccessible::registerAccessibleInterface(iface));
    return iface;
}

void ListExPrivate::forgetAccessibleRows()
{
    for (const QAccessible::Id id : std::as_const(accessibleRows))
        QAccessible::deleteAccessibleInterface(id);
    accessibleRows.clear();
}

} // namespace KvListEx
