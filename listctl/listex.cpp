#include "listex.h"

#include "listex_p.h"

#include <QApplication>
#include <QEvent>
#include <QLineEdit>
#include <QScopedValueRollback>

#include <stdexcept>
#include <string>

namespace KvListEx {

ListEx::ListEx(QWidget *parent)
    : QListView(parent)
    , d(std::make_unique<Private>())
{
    d->settings.font = font();
    d->model = new ListExModel(&d->settings, this);
    d->collection = std::make_unique<ListItemCollection>(d->model);
    d->delegate = new ListExDelegate(this, d->model, &d->settings, &d->listIndex, this);
    d->delegate->setFaceWanted([this](int row) {
        if (!d->facesWanted.contains(row))
            d->facesWanted.append(row);
        if (!d->faceTimerQueued) {
            d->faceTimerQueued = true;
            QMetaObject::invokeMethod(this, &ListEx::loadWantedFaces, Qt::QueuedConnection);
        }
    });
    setModel(d->model);
    setItemDelegate(d->delegate);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextElideMode(Qt::ElideRight);
    setFocusPolicy(Qt::StrongFocus);
    // A fresh model after Clear(): nothing is selected, and nobody is told.
    connect(d->model, &QAbstractItemModel::modelReset, this, [this] { d->listIndex = -1; });
    connect(qApp, &QGuiApplication::fontDatabaseChanged, this, [this] { Refresh(); });
    applyColors();
}

ListEx::ListEx(const Properties &stored, QWidget *parent)
    : ListEx(parent)
{
    ReadProperties(stored);
}

ListEx::~ListEx() = default;

void ListEx::applyColors()
{
    QPalette pal = palette();
    pal.setColor(QPalette::Base, ToQColor(d->settings.backColor, QApplication::palette()));
    viewport()->setPalette(pal);
    viewport()->setAutoFillBackground(true);
    viewport()->update();
}

void ListEx::AddItem(const QString &text, qint32 index, OleColor itemColor, OleColor backColor,
                     const QFont *font, const QPixmap &picture, qint32 itemData, const QString &description)
{
    const qint32 count = d->model->count();
    if (index < -1 || index > count)
        throw std::out_of_range("ListEx::AddItem: cannot insert at position " + std::to_string(index) +
                                " (the list has " + std::to_string(count) + " items)");
    ListItem item;
    item.m_itemColor = itemColor;
    item.m_backColor = backColor;
    if (!description.isEmpty())
        item.extra().description = description;
    item.m_itemData = itemData;
    item.m_picture = d->model->pictureIndex(picture);
    if (font)
        item.extra().font = *font;
    d->holdsSystemColors = false;

    qint32 row = index;
    if (index == -1 && d->settings.sorted)
        row = d->model->sortedRow(text);
    if (row == -1 || row == count) {
        d->model->append(std::move(item), text);
        return;
    }
    d->model->insert(row, std::move(item), text);
    if (d->listIndex >= row) // the selected item moved down by one
        ++d->listIndex;
}

// Looks at a few wanted faces per turn of the event loop, so a list of fonts never stalls the
// window: its rows show in the list's font first and in their own faces a moment later.
void ListEx::loadWantedFaces()
{
    constexpr int kFacesPerTurn = 4;
    d->faceTimerQueued = false;
    for (int n = 0; n < kFacesPerTurn && !d->facesWanted.isEmpty(); ++n) {
        const int row = d->facesWanted.takeFirst();
        if (row >= d->model->count())
            continue;
        const ListItem &item = d->model->item(row);
        if (item.HasOwnFont() && item.m_extra->drawsOwnName < 0)
            item.m_extra->drawsOwnName = d->delegate->drawsOwnName(item) ? 1 : 0;
        update(d->model->index(row));
    }
    if (!d->facesWanted.isEmpty() && !d->faceTimerQueued) {
        d->faceTimerQueued = true;
        QMetaObject::invokeMethod(this, &ListEx::loadWantedFaces, Qt::QueuedConnection);
    }
}

void ListEx::Clear()
{
    d->holdsSystemColors = false;
    d->delegate->clearCache();
    d->model->clear();
    d->facesWanted.clear();
    d->listIndex = -1;
}

void ListEx::Refresh()
{
    d->model->flush();
    d->delegate->clearCache();
    d->model->refreshAll();
    viewport()->update();
}

qint32 ListEx::FindItem(const QString &text, bool exact) const
{
    const ListExModel &m = *d->model;
    const auto &items = m.items();
    const qint32 n = qint32(items.size());
    if (exact) {
        for (qint32 i = 0; i < n; ++i) {
            const ListItem &item = items[size_t(i)];
            if (item.m_textSize == quint32(text.size()) &&
                m.text(item).compare(text, Qt::CaseInsensitive) == 0)
                return i;
        }
    } else {
        for (qint32 i = 0; i < n; ++i)
            if (m.text(items[size_t(i)]).startsWith(text, Qt::CaseInsensitive))
                return i;
    }
    return -1;
}

qint32 ListEx::FindItem(const QLineEdit &box, bool exact) const
{
    return FindItem(box.text(), exact);
}

qint32 ListEx::ListIndex() const
{
    return d->listIndex;
}

void ListEx::SetListIndex(qint32 index)
{
    d->model->flush();
    const qint32 count = d->model->count();
    if (index < -1 || index >= count)
        throw std::out_of_range("ListEx::ListIndex: no item at position " + std::to_string(index) +
                                " (the list has " + std::to_string(count) + " items)");
    selectRow(index, true);
}

// Makes row the selection; the view's current and selected index follow where Qt allows
// (Qt selects no disabled item, but the program may).
void ListEx::selectRow(qint32 row, bool notify)
{
    const qint32 previous = d->listIndex;
    d->listIndex = row;
    {
        const QScopedValueRollback<bool> guard(d->syncing, true);
        const QModelIndex index = d->model->index(row);
        if (row < 0) {
            selectionModel()->clear();
        } else {
            selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
            scrollTo(index);
        }
    }
    if (previous >= 0 && previous < d->model->rowCount())
        update(d->model->index(previous));
    if (row >= 0)
        update(d->model->index(row));
    if (notify && row >= 0 && row != previous)
        emit ItemSelected();
}

void ListEx::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QListView::currentChanged(current, previous);
    if (d->syncing || !current.isValid() || !(current.flags() & Qt::ItemIsEnabled))
        return;
    if (current.row() != d->listIndex)
        selectRow(current.row(), true);
}

void ListEx::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    QListView::selectionChanged(selected, deselected);
    if (d->syncing || selected.isEmpty())
        return;
    // A selection made from outside, by a screen reader say.
    const QModelIndex index = selected.indexes().constFirst();
    if (index.row() != d->listIndex && (index.flags() & Qt::ItemIsEnabled))
        selectRow(index.row(), true);
}

QModelIndex ListEx::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const qint32 rows = d->model->rowCount();
    if (rows == 0)
        return {};
    auto enabled = [this](qint32 row) { return d->model->items()[size_t(row)].m_enabled; };
    // Steps over disabled items in the direction of travel, then back if it ran out.
    auto settle = [&](qint32 row, int step) -> QModelIndex {
        row = qBound(0, row, rows - 1);
        for (qint32 r = row; r >= 0 && r < rows; r += step)
            if (enabled(r))
                return d->model->index(r);
        for (qint32 r = row; r >= 0 && r < rows; r -= step)
            if (enabled(r))
                return d->model->index(r);
        return {};
    };
    const qint32 current = currentIndex().isValid() ? currentIndex().row() : -1;
    const int page = qMax(1, viewport()->height() / qMax(1, d->delegate->itemHeight()) - 1);
    switch (action) {
    case MoveUp:
    case MovePrevious: {
        if (current < 0)
            return settle(0, 1);
        const QModelIndex previous = settle(current - 1, -1);
        return previous.isValid() && previous.row() < current ? previous : currentIndex();
    }
    case MoveDown:
    case MoveNext: {
        const QModelIndex next = settle(current + 1, 1);
        return next.isValid() && next.row() > current ? next : currentIndex();
    }
    case MoveHome:
        return settle(0, 1);
    case MoveEnd:
        return settle(rows - 1, -1);
    case MovePageUp:
        return settle(current - page, -1);
    case MovePageDown:
        return settle(current + page, 1);
    default:
        return QListView::moveCursor(action, modifiers);
    }
}

void ListEx::changeEvent(QEvent *event)
{
    QListView::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
    case QEvent::FontChange:
        viewport()->update();
        break;
    case QEvent::PaletteChange:
        applyColors();
        refreshSystemColors();
        break;
    default:
        break;
    }
}

bool ListEx::event(QEvent *event)
{
    if (event->type() == QEvent::ApplicationPaletteChange) {
        applyColors();
        refreshSystemColors();
    }
    return QListView::event(event);
}

qint32 ListEx::Style() const
{
    return d->settings.style;
}

void ListEx::SetStyle(qint32 style)
{
    if (style < kvText || style > kvLargeColorRect)
        throw std::out_of_range("ListEx::Style: no style " + std::to_string(style));
    d->settings.style = style;
    viewport()->update();
}

ListItemCollection &ListEx::ListItems()
{
    d->model->flush();
    return *d->collection;
}

#define KV_SETTING(Type, Getter, Setter, field, after)                                                       \
    Type ListEx::Getter() const                                                                              \
    {                                                                                                        \
        return d->settings.field;                                                                            \
    }                                                                                                        \
    void ListEx::Setter(Type value)                                                                          \
    {                                                                                                        \
        d->settings.field = value;                                                                           \
        after;                                                                                               \
    }

KV_SETTING(OleColor, BackColor, SetBackColor, backColor, applyColors())
KV_SETTING(OleColor, SelBackColor, SetSelBackColor, selBackColor, viewport()->update())
KV_SETTING(OleColor, SelForeColor, SetSelForeColor, selForeColor, viewport()->update())
KV_SETTING(OleColor, TranspColor, SetTranspColor, transpColor,
           (d->delegate->clearCache(), viewport()->update()))
KV_SETTING(qint32, TextLeft, SetTextLeft, textLeft, viewport()->update())
KV_SETTING(qint32, PictLeft, SetPictLeft, pictLeft, viewport()->update())
KV_SETTING(qint32, PictTop, SetPictTop, pictTop, viewport()->update())
KV_SETTING(qint32, PictWidth, SetPictWidth, pictWidth, viewport()->update())
KV_SETTING(qint32, PictHeight, SetPictHeight, pictHeight, viewport()->update())
KV_SETTING(qint32, ItemHeight, SetItemHeight, itemHeight, (d->model->refreshAll(), doItemsLayout()))
KV_SETTING(bool, Sorted, SetSorted, sorted, (void)0)

#undef KV_SETTING

QString ListEx::Version()
{
    return QStringLiteral("1.00");
}

} // namespace KvListEx
