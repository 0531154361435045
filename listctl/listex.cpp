// SPDX-License-Identifier: BSD-3-Clause
#include "listex.h"

#include "listex_p.h"
#include "listexmodel_p.h"

#include <KvListEx/kvlistex_version.h>

#include <QAbstractEventDispatcher>
#include <QAbstractProxyModel>
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScopeGuard>
#include <QScopedValueRollback>

namespace KvListEx {

ListEx::ListEx(QWidget *parent)
    : QListView(parent)
    , d(std::make_unique<ListExPrivate>(this))
{
    installListExAccessibility();
    d->clock.start();
    if (QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance(thread()))
        connect(dispatcher, &QAbstractEventDispatcher::awake, this, [this] { ++d->turn; });
    d->model = new ListExModel(this);
    d->delegate = new ListExDelegate(this);
    d->model->setPalette(palette());
    d->show(d->model);
    setItemDelegate(d->delegate);
    // Qt answers a change of row heights with a queued layout of every row, shown or not. The
    // view's delayed layout does it once the list is shown, or asked for a row's place: a list
    // on a hidden page then costs nothing until it is needed.
    disconnect(d->delegate, &QAbstractItemDelegate::sizeHintChanged, this, nullptr);
    connect(d->delegate, &QAbstractItemDelegate::sizeHintChanged, this,
            [this] { scheduleDelayedItemsLayout(); });
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractItemView::activated, this, [this](const QModelIndex &index) {
        if (const int row = d->itemRow(index); row >= 0)
            emit itemActivated(row);
    });
    connect(d->model, &ListExModel::sortedChanged, this, &ListEx::sortingEnabledChanged);
    connect(d->model, &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) { d->noticeOwnFonts(first, last); });
    connect(d->model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &first, const QModelIndex &last, const QList<int> &roles) {
                if (roles.isEmpty() || roles.contains(Qt::FontRole))
                    d->noticeOwnFonts(first.row(), last.row());
            });
    connect(d->model, &QAbstractItemModel::modelReset, this, [this] {
        d->ownFonts = false;
        setUniformItemSizes(true);
    });
    d->applyBackground();
}

ListEx::~ListEx()
{
    d->unwatch(); // a proxy among the list's children is deleted after this part of the list is gone
    d->forgetAccessibleRows();
}

// The view's own signals follow the model it shows; the screen reader's row handles and the
// current row follow its changes.
void ListExPrivate::unwatch()
{
    for (const QMetaObject::Connection &c : std::as_const(watching))
        QObject::disconnect(c);
    watching.clear();
}

void ListExPrivate::watch(QAbstractItemModel *shownModel)
{
    unwatch();
    const auto moved = [this] {
        if (!accessibleRows.isEmpty())
            forgetAccessibleRows();
        followCurrent();
    };
    watching << QObject::connect(shownModel, &QAbstractItemModel::rowsInserted, q, moved);
    watching << QObject::connect(shownModel, &QAbstractItemModel::rowsMoved, q, moved);
    watching << QObject::connect(shownModel, &QAbstractItemModel::layoutChanged, q, moved);
    watching << QObject::connect(shownModel, &QAbstractItemModel::rowsRemoved, q, moved);
    watching << QObject::connect(shownModel, &QAbstractItemModel::modelAboutToBeReset, q, [this] {
        selectedBeforeReset = q->selectionModel() && q->selectionModel()->hasSelection();
    });
    watching << QObject::connect(shownModel, &QAbstractItemModel::modelReset, q, [this, moved] {
        // A proxy given another source resets: if it no longer shows the list's items, the list
        // shows them again itself.
        if (showOwnItemsIfLost()) {
            selectedBeforeReset = false;
            return;
        }
        moved();
        if (std::exchange(selectedBeforeReset, false))
            emit q->itemSelectionChanged(); // the selection model drops it without a word
    });
    if (shownModel != model) {
        // Rows a proxy filters out still move the items' rows; a proxy that goes, or that is given
        // another source, leaves the list showing its own items.
        const auto follow = [this] { followCurrent(); };
        watching << QObject::connect(model, &QAbstractItemModel::rowsInserted, q, follow);
        watching << QObject::connect(model, &QAbstractItemModel::rowsRemoved, q, follow);
        watching << QObject::connect(model, &QAbstractItemModel::rowsMoved, q, follow);
        watching << QObject::connect(model, &QAbstractItemModel::layoutChanged, q, follow);
        watching << QObject::connect(shownModel, &QObject::destroyed, q, [this] { showOwnItems(); });
        for (auto *m = shownModel; m != model;) {
            auto *proxy = qobject_cast<QAbstractProxyModel *>(m);
            // Proxies reset when they change their source (above); one that does not is caught
            // once its change is done.
            watching << QObject::connect(
                proxy, &QAbstractProxyModel::sourceModelChanged, q, [this] { showOwnItemsIfLost(); },
                Qt::QueuedConnection);
            m = proxy->sourceModel();
        }
    }
    watching << QObject::connect(
        shownModel, &QAbstractItemModel::dataChanged, q,
        [this](const QModelIndex &first, const QModelIndex &last, const QList<int> &roles) {
            // Screen readers follow the rows they show; a change to thousands of rows at once
            // is not told row by row.
            if (!QAccessible::isActive() || last.row() - first.row() >= 256)
                return;
            const bool renamed = roles.isEmpty() || roles.contains(Qt::DisplayRole);
            const bool enabling = roles.isEmpty() || roles.contains(ListExModel::EnabledRole);
            QAccessible::State changed;
            changed.disabled = true;
            for (int row = first.row(); (renamed || enabling) && row <= last.row(); ++row) {
                if (renamed) {
                    QAccessibleEvent event(q, QAccessible::NameChanged);
                    event.setChild(row);
                    QAccessible::updateAccessibility(&event);
                }
                if (enabling) {
                    QAccessibleStateChangeEvent event(q, changed);
                    event.setChild(row);
                    QAccessible::updateAccessibility(&event);
                }
            }
        });
}

// Font family items are drawn at the list's size.
static bool hasOwnFont(const QModelIndex &index)
{
    return !index.data(ListExModel::FontKindRole).isValid() && index.data(Qt::FontRole).isValid();
}

void ListExPrivate::ownFontFound()
{
    ownFonts = true;
    q->setUniformItemSizes(false);
    q->scheduleDelayedItemsLayout();
}

void ListExPrivate::noticeOwnFonts(int first, int last)
{
    if (ownFonts) {
        // Row heights may follow a changed font.
        q->scheduleDelayedItemsLayout();
        return;
    }
    // Large batches are left to the rows that come into view (paintEvent): looking at every row
    // of a million would slow the fill by a sixth.
    if (last - first >= kOwnFontScan)
        return;
    // Read from the records: asking the model for two roles per row would double a fill's cost.
    const ListExModelPrivate *items = ListExModelPrivate::get(model);
    if (!items->sawOwnFont)
        return;
    for (int row = first; row <= last; ++row)
        if (const ItemExtra *extra = items->at(row).extra.get(); extra && extra->hasOwnFont())
            return ownFontFound();
}

void ListExPrivate::followCurrent()
{
    removing = false;
    const bool pending = std::exchange(currentPending, false);
    if (lastCurrentRow < 0 && !pending)
        return;
    const int row = itemRow(q->currentIndex());
    if (row != lastCurrentRow || pending) {
        lastCurrentRow = row;
        emit q->currentRowChanged(row);
    }
}

bool ListExPrivate::mapsOwnItems(const QAbstractItemModel *shownModel) const
{
    for (const QAbstractItemModel *m = shownModel; m != model;) {
        const auto *proxy = qobject_cast<const QAbstractProxyModel *>(m);
        if (!proxy || !proxy->sourceModel())
            return false;
        m = proxy->sourceModel();
    }
    return true;
}

void ListExPrivate::show(QAbstractItemModel *shownModel)
{
    forgetAccessibleRows();
    // Connected before the view and its selection model are, so that it is set before they move
    // the current item.
    const QMetaObject::Connection removal = QObject::connect(
        shownModel, &QAbstractItemModel::rowsAboutToBeRemoved, q, [this] { removing = true; });
    q->QListView::setModel(shownModel);
    watch(shownModel);
    watching << removal;
    layoutPending = false;
}

void ListExPrivate::showOwnItems()
{
    if (q->model() == model)
        return;
    const int current = lastCurrentRow; // a row of the list's own model
    {
        const QScopedValueRollback<bool> quiet(swapping, true);
        show(model);
        if (current >= 0 && current < model->count())
            q->setCurrentRow(current); // the current item stays current
    }
    // Told once, what changed: in single selection the current item is the selection.
    followCurrent();
    const int row = lastCurrentRow;
    if (std::exchange(selectionPending, false) &&
        (row != current || q->selectionMode() != QAbstractItemView::SingleSelection))
        emit q->itemSelectionChanged();
}

bool ListExPrivate::showOwnItemsIfLost()
{
    if (mapsOwnItems(q->model()))
        return false;
    qWarning("ListEx: the proxy model shown no longer has the list's items as its source; the list "
             "shows its own items");
    showOwnItems();
    return true;
}

QModelIndex ListExPrivate::viewIndex(int row) const
{
    QModelIndex index = model->index(row);
    // Proxies from the view's model down to the list's own.
    QList<const QAbstractProxyModel *> chain;
    for (auto *m = q->model(); m != model;) {
        const auto *proxy = qobject_cast<const QAbstractProxyModel *>(m);
        if (!proxy)
            return {};
        chain.prepend(proxy);
        m = proxy->sourceModel();
    }
    for (const QAbstractProxyModel *proxy : std::as_const(chain))
        index = proxy->mapFromSource(index);
    return index;
}

int ListExPrivate::itemRow(const QModelIndex &viewIndex) const
{
    QModelIndex index = viewIndex;
    while (index.isValid() && index.model() != model) {
        const auto *proxy = qobject_cast<const QAbstractProxyModel *>(index.model());
        if (!proxy)
            return -1;
        index = proxy->mapToSource(index);
    }
    return index.isValid() ? index.row() : -1;
}

bool ListExPrivate::shown(int viewRow) const
{
    return !q->isRowHidden(viewRow);
}

// The first row of the item model in begin..end-1 whose text matches and that accept(row) takes;
// -1 when none does.
template <typename Accept>
static int findAccepted(const ListExModel *model, const QString &text, Qt::MatchFlags once, int begin,
                        int end, Accept &&accept)
{
    for (int row = begin; row < end; ++row) {
        row = model->findRow(text, once, row);
        if (row < 0 || row >= end)
            return -1;
        if (accept(row))
            return row;
    }
    return -1;
}

int ListExPrivate::findViewRow(const QString &text, Qt::MatchFlags flags, int from, bool enabledOnly) const
{
    const QAbstractItemModel *shownModel = q->model();
    const int n = shownModel->rowCount(q->rootIndex());
    const auto usable = [&](int row) {
        return shown(row) && (!enabledOnly || (shownModel->index(row, 0).flags() & Qt::ItemIsEnabled));
    };
    const Qt::MatchFlags once = flags & ~Qt::MatchWrap;
    const auto scan = [&](int begin, int end) {
        if (shownModel == model)
            return findAccepted(model, text, once, begin, end, usable);
        // Another model: its texts, one by one.
        const Qt::CaseSensitivity cs =
            flags & Qt::MatchCaseSensitive ? Qt::CaseSensitive : Qt::CaseInsensitive;
        for (int row = begin; row < end; ++row) {
            if (!usable(row))
                continue;
            const QString shownText = shownModel->index(row, 0, q->rootIndex()).data().toString();
            const uint type = uint(flags & 0x0F);
            const bool hit = type == Qt::MatchContains     ? shownText.contains(text, cs)
                             : type == Qt::MatchEndsWith   ? shownText.endsWith(text, cs)
                             : type == Qt::MatchStartsWith ? shownText.startsWith(text, cs)
                                                           : shownText.compare(text, cs) == 0;
            if (hit)
                return row;
        }
        return -1;
    };
    const int found = scan(from, n);
    return found >= 0 || !(flags & Qt::MatchWrap) ? found : scan(0, qMin(from, n));
}

void ListExPrivate::applyBackground()
{
    QPalette ground; // only the base colour: the rest follows the list's palette
    const QColor back = delegate->appearance().background;
    ground.setColor(QPalette::Base, back.isValid() ? back : q->palette().color(QPalette::Base));
    q->viewport()->setPalette(ground);
    q->viewport()->setAutoFillBackground(true);
}

void ListExPrivate::setAppearance(const ListExDelegate::Appearance &appearance)
{
    if (appearance == delegate->appearance())
        return;
    const bool groundChanged = appearance.background != delegate->appearance().background;
    const bool heightChanged = appearance.itemHeight != delegate->appearance().itemHeight;
    delegate->setAppearance(appearance);
    if (groundChanged)
        applyBackground();
    if (heightChanged)
        q->doItemsLayout();
    q->viewport()->update();
    emit q->appearanceChanged();
}

bool ListExPrivate::acceptPixels(const char *setter, int px) const
{
    if (px >= 0 && px <= ListEx::MaxPixels)
        return true;
    qWarning("ListEx::%s: %d is not a size in pixels (0 to %d); ignored", setter, px, ListEx::MaxPixels);
    return false;
}

void ListExPrivate::setPixels(const char *setter, int ListExDelegate::Appearance::*field, int px)
{
    if (!acceptPixels(setter, px))
        return;
    ListExDelegate::Appearance look = delegate->appearance();
    look.*field = px;
    setAppearance(look);
}

void ListExPrivate::setColor(QColor ListExDelegate::Appearance::*field, const QColor &color)
{
    ListExDelegate::Appearance look = delegate->appearance();
    look.*field = color.isValid() ? color : QColor();
    setAppearance(look);
}

ListExModel *ListEx::itemModel() const
{
    return d->model;
}

ListExDelegate *ListEx::listDelegate() const
{
    return d->delegate;
}

int ListEx::count() const
{
    return d->model->count();
}

ListExItem ListEx::item(int row) const
{
    if (row < 0 || row >= count()) {
        qWarning("ListEx::item: no item at row %d (the list has %d)", row, count());
        return {};
    }
    return d->model->item(row);
}

bool ListEx::setItem(int row, const ListExItem &item)
{
    if (row < 0 || row >= count()) {
        qWarning("ListEx::setItem: no item at row %d (the list has %d)", row, count());
        return false;
    }
    return d->model->setItem(row, item);
}

int ListEx::addItem(const QString &text)
{
    return d->model->addItem(text);
}

int ListEx::addItem(const ListExItem &item)
{
    return d->model->addItem(item);
}

void ListEx::addItems(const QList<ListExItem> &items)
{
    d->model->addItems(items);
}

void ListEx::addItems(const QStringList &texts)
{
    d->model->addItems(texts);
}

int ListEx::insertItem(int row, const ListExItem &item)
{
    if (row < 0 || row > count()) {
        qWarning("ListEx::insertItem: cannot insert at row %d (the list has %d)", row, count());
        return -1;
    }
    return d->model->insertItem(row, item);
}

int ListEx::insertItem(int row, const QString &text)
{
    return insertItem(row, ListExItem(text));
}

ListExItem ListEx::takeItem(int row)
{
    if (row < 0 || row >= count()) {
        qWarning("ListEx::takeItem: no item at row %d (the list has %d)", row, count());
        return {};
    }
    return d->model->takeItem(row);
}

bool ListEx::removeItem(int row)
{
    if (row < 0 || row >= count()) {
        qWarning("ListEx::removeItem: no item at row %d (the list has %d)", row, count());
        return false;
    }
    return d->model->removeRows(row, 1);
}

void ListEx::clear()
{
    d->model->clear();
}

int ListEx::currentRow() const
{
    return d->itemRow(currentIndex());
}

void ListEx::setCurrentRow(int row)
{
    if (row < -1 || row >= count()) {
        qWarning("ListEx::setCurrentRow: no item at row %d (the list has %d)", row, count());
        return;
    }
    if (row == -1) {
        selectionModel()->clear();
        return;
    }
    const QModelIndex index = d->viewIndex(row);
    if (!index.isValid()) {
        qWarning("ListEx::setCurrentRow: row %d is filtered out of the view", row);
        return;
    }
    if (!d->shown(index.row())) {
        qWarning("ListEx::setCurrentRow: row %d is hidden", row);
        return;
    }
    const auto command = selectionMode() == NoSelection || selectionMode() == MultiSelection
                             ? QItemSelectionModel::NoUpdate
                             : QItemSelectionModel::ClearAndSelect;
    selectionModel()->setCurrentIndex(index, command);
}

QList<int> ListEx::selectedRows() const
{
    QList<int> rows;
    for (const QModelIndex &index : selectionModel()->selectedIndexes())
        if (const int row = d->itemRow(index); row >= 0)
            rows.append(row);
    // In single selection a disabled current item, which the program chose, is the selection.
    const QModelIndex current = currentIndex();
    if (selectionMode() == SingleSelection && rows.isEmpty() && current.isValid() &&
        !(current.flags() & Qt::ItemIsEnabled))
        rows.append(currentRow());
    std::sort(rows.begin(), rows.end());
    return rows;
}

QList<int> ListEx::findItems(const QString &text, Qt::MatchFlags flags) const
{
    QList<int> rows;
    const Qt::MatchFlags once = flags & ~Qt::MatchWrap;
    for (int row = findItem(text, once, 0); row >= 0;
         row = row + 1 < count() ? findItem(text, once, row + 1) : -1)
        rows.append(row);
    return rows;
}

int ListEx::findItem(const QString &text, Qt::MatchFlags flags, int from) const
{
    if (from < 0 || from > count()) {
        qWarning("ListEx::findItem: no row %d to start from (the list has %d)", from, count());
        return -1;
    }
    const Qt::MatchFlags once = flags & ~Qt::MatchWrap;
    const auto scan = [&](int begin, int end) {
        return findAccepted(d->model, text, once, begin, end, [this](int row) {
            const QModelIndex shown = d->viewIndex(row);
            return shown.isValid() && d->shown(shown.row());
        });
    };
    const int found = scan(from, count());
    return found >= 0 || !(flags & Qt::MatchWrap) ? found : scan(0, from);
}

void ListEx::keyboardSearch(const QString &search)
{
    if (search.isEmpty() || !model())
        return;
    const bool more = d->typedAt.isValid() && d->typedAt.elapsed() < QApplication::keyboardInputInterval();
    d->typed = more ? d->typed + search : search;
    d->typedAt.start();
    // The same letter again steps to the next item with it, unless an item starts with the letters
    // as typed; more letters refine the match.
    const bool repeated = d->typed.size() > 1 && d->typed.count(d->typed.front()) == d->typed.size();
    const int current = currentIndex().isValid() ? currentIndex().row() : -1;
    const int rows = model()->rowCount(rootIndex());
    const auto find = [&](const QString &wanted, int from) {
        return d->findViewRow(wanted, Qt::MatchStartsWith | Qt::MatchWrap, qBound(0, from, rows), true);
    };
    int row = find(d->typed, more && !repeated && current >= 0 ? current : current + 1);
    if (row < 0 && repeated)
        row = find(d->typed.left(1), current + 1);
    if (row >= 0)
        setCurrentIndex(model()->index(row, 0, rootIndex()));
}

// The selection is the current item in single selection, also where Qt would not select it (a
// disabled item that the program chose); but focus alone makes a row current and selects nothing.
void ListEx::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QListView::currentChanged(current, previous);
    if (current.isValid() && !d->focusing && selectionMode() == SingleSelection &&
        !selectionModel()->isSelected(current))
        selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
    if (d->swapping)
        return;
    if (d->removing) {
        d->currentPending = true;
        return;
    }
    const int row = d->itemRow(current);
    d->lastCurrentRow = row;
    emit currentRowChanged(row);
}

// A selection made from outside, through the selection model, moves the current item with it.
void ListEx::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    QListView::selectionChanged(selected, deselected);
    if (selectionMode() == SingleSelection) {
        const QModelIndexList chosen = selected.indexes();
        if (!chosen.isEmpty() && chosen.constFirst() != currentIndex())
            selectionModel()->setCurrentIndex(chosen.constFirst(), QItemSelectionModel::NoUpdate);
    }
    if (d->swapping) {
        d->selectionPending = true;
        return;
    }
    emit itemSelectionChanged();
}

QItemSelectionModel::SelectionFlags ListEx::selectionCommand(const QModelIndex &index,
                                                             const QEvent *event) const
{
    QItemSelectionModel::SelectionFlags command = QListView::selectionCommand(index, event);
    if (selectionMode() == SingleSelection &&
        (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle)))
        command = QItemSelectionModel::ClearAndSelect;
    return command;
}

QModelIndex ListEx::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QAbstractItemModel *shownModel = model();
    const qint32 rows = shownModel ? shownModel->rowCount(rootIndex()) : 0;
    if (rows == 0)
        return {};
    const auto at = [&](int row) { return shownModel->index(row, 0, rootIndex()); };
    auto usable = [&](qint32 row) { return d->shown(row) && (at(row).flags() & Qt::ItemIsEnabled); };
    // Steps over disabled and hidden rows in the direction of travel, then back if it ran out.
    auto settle = [&](qint32 row, int step) -> QModelIndex {
        row = qBound(0, row, rows - 1);
        for (qint32 r = row; r >= 0 && r < rows; r += step)
            if (usable(r))
                return at(r);
        for (qint32 r = row; r >= 0 && r < rows; r -= step)
            if (usable(r))
                return at(r);
        return {};
    };
    const qint32 current = currentIndex().isValid() ? currentIndex().row() : -1;
    const int page = qMax(1, viewport()->height() / qMax(1, sizeHintForRow(0)) - 1);
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

void ListEx::focusInEvent(QFocusEvent *event)
{
    d->focusing = true;
    QListView::focusInEvent(event);
    d->focusing = false;
}

void ListEx::keyPressEvent(QKeyEvent *event)
{
    QListView::keyPressEvent(event);
    const bool home = event->key() == Qt::Key_Home, end = event->key() == Qt::Key_End;
    if (!home && !end)
        return;
    home ? scrollToTop() : scrollToBottom();
    if (currentIndex().isValid())
        scrollTo(currentIndex());
}

void ListEx::paintEvent(QPaintEvent *event)
{
    const QScopedValueRollback<bool> mayWait(d->layoutMayWait, true);
    const qint64 start = d->clock.nsecsElapsed();
    const QScopedValueRollback<qint64> at(d->eventAt, start);
    const auto measured = qScopeGuard([&] { d->paintCost = d->clock.nsecsElapsed() - start; });
    if (!d->ownFonts && model()) {
        const QModelIndex top = indexAt(QPoint(0, 0));
        const QModelIndex bottom = indexAt(QPoint(0, viewport()->height() - 1));
        const int last = bottom.isValid() ? bottom.row() : model()->rowCount(rootIndex()) - 1;
        for (int row = top.isValid() ? top.row() : 0; top.isValid() && row <= last; ++row)
            if (hasOwnFont(model()->index(row, 0, rootIndex()))) {
                d->ownFontFound();
                return; // drawn again with the rows laid out anew
            }
    }
    QListView::paintEvent(event);
    const QModelIndex current = currentIndex();
    if (!current.isValid() || (current.flags() & Qt::ItemIsEnabled) || selectionMode() != SingleSelection)
        return;
    const QRect rect = visualRect(current);
    if (!event->rect().intersects(rect))
        return;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    option.rect = rect;
    option.state |= QStyle::State_Selected;
    option.state &= ~QStyle::State_Enabled;
    if (hasFocus())
        option.state |= QStyle::State_HasFocus;
    QPainter painter(viewport());
    itemDelegateForIndex(current)->paint(&painter, option, current);
}

void ListEx::changeEvent(QEvent *event)
{
    QListView::changeEvent(event);
    switch (event->type()) {
    case QEvent::EnabledChange:
    case QEvent::LayoutDirectionChange:
        viewport()->update();
        break;
    case QEvent::FontChange:
        if (itemHeight() == 0)
            doItemsLayout(); // a height derived from the font follows it
        break;
    case QEvent::PaletteChange:
        d->applyBackground();
        d->model->setPalette(palette());
        break;
    default:
        break;
    }
}

void ListEx::rowsInserted(const QModelIndex &parent, int start, int end)
{
    // Once a layout is due, further insertions have nothing to add to it. Until it runs, the rows
    // laid out keep their places (QListView would forget them all and have nothing to paint).
    d->inserted += quint64(end - start + 1);
    if (d->layoutPending && !parent.isValid())
        return;
    d->layoutPending = true;
    QAbstractItemView::rowsInserted(parent, start, end);
    scheduleDelayedItemsLayout();
}

bool ListEx::event(QEvent *event)
{
    // The frame and the scroll bars are repainted whenever a layout changes the scroll range.
    const QScopedValueRollback<bool> mayWait(d->layoutMayWait,
                                             d->layoutMayWait || event->type() == QEvent::Paint);
    const QScopedValueRollback<qint64> at(d->eventAt, d->clock.nsecsElapsed());
    return QListView::event(event);
}

void ListEx::timerEvent(QTimerEvent *event)
{
    const QScopedValueRollback<bool> mayWait(d->layoutMayWait, true);
    QListView::timerEvent(event); // reached through event(), which has read the time
}

void ListEx::doItemsLayout()
{
    // Rows span the list's width; icon mode, wrapping or a flow across would lay them out as
    // 1-pixel-wide tiles.
    if (viewMode() != ListMode) {
        qWarning("ListEx::setViewMode: a ListEx shows its items as a list; IconMode refused");
        setViewMode(ListMode);
    }
    if (isWrapping()) {
        qWarning("ListEx::setWrapping: a ListEx shows its items in one column; wrapping refused");
        setWrapping(false);
    }
    if (flow() != TopToBottom) {
        qWarning("ListEx::setFlow: a ListEx shows its items top to bottom; LeftToRight refused");
        setFlow(TopToBottom);
    }
    // A layout visits every row, and the rows are painted again after it. While rows keep coming
    // in between turns of the event loop, a layout that only the timer or a paint asks for waits
    // until eight times the cost of the last layout and paint has passed, so that such a fill
    // spends at most a ninth of its time on them (a million rows still show anew three times a
    // second). Once no rows have come for as long as a layout takes, they are laid out, and
    // whatever needs the rows' places (a key, a click, scrolling, a rectangle) gets them at once.
    // Rows are quiet only from the next turn of the event loop on, timed from the start of the
    // event that asks: no rows come while the list paints, and a layout under a paint asks for
    // another paint on the next turn.
    const qint64 cycle = d->layoutCost + d->paintCost;
    if (d->layoutMayWait && d->inserted != d->insertedSeen) {
        d->insertedSeen = d->inserted;
        d->rowsSeenAt = d->eventAt;
        d->rowsSeenTurn = d->turn;
    }
    const bool rowsComing =
        d->rowsSeenAt >= 0 && (d->rowsSeenTurn == d->turn || d->eventAt - d->rowsSeenAt < cycle);
    if (d->layoutMayWait && rowsComing && d->laidOutAt >= 0 && d->eventAt - d->laidOutAt < 8 * cycle) {
        scheduleDelayedItemsLayout();
        return;
    }
    d->layoutPending = false;
    const qint64 start = d->clock.nsecsElapsed();
    QListView::doItemsLayout();
    d->laidOutAt = d->clock.nsecsElapsed();
    d->layoutCost = d->laidOutAt - start;
}

void ListEx::setModel(QAbstractItemModel *shownModel)
{
    if (shownModel == model())
        return;
    if (!d->mapsOwnItems(shownModel)) {
        qWarning("ListEx::setModel: a ListEx shows its own items, or a proxy model over them; model %p "
                 "refused",
                 static_cast<void *>(shownModel));
        return;
    }
    d->show(shownModel);
    d->followCurrent();
}

bool ListEx::isSortingEnabled() const
{
    return d->model->isSorted();
}

void ListEx::setSortingEnabled(bool enabled)
{
    d->model->setSorted(enabled);
}

ListEx::ItemStyle ListEx::itemStyle() const
{
    return d->delegate->appearance().style;
}

void ListEx::setItemStyle(ItemStyle style)
{
    if (style < Text || style > LargeColorRect) {
        qWarning("ListEx::setItemStyle: no style %d (styles are 0 to 4); ignored", int(style));
        return;
    }
    ListExDelegate::Appearance look = d->delegate->appearance();
    look.style = style;
    d->setAppearance(look);
}

QColor ListEx::backColor() const
{
    return d->delegate->appearance().background;
}

void ListEx::setBackColor(const QColor &color)
{
    d->setColor(&ListExDelegate::Appearance::background, color);
}

void ListEx::unsetBackColor()
{
    setBackColor(QColor());
}

QColor ListEx::selBackColor() const
{
    return d->delegate->appearance().selectionBackground;
}

void ListEx::setSelBackColor(const QColor &color)
{
    d->setColor(&ListExDelegate::Appearance::selectionBackground, color);
}

void ListEx::unsetSelBackColor()
{
    setSelBackColor(QColor());
}

QColor ListEx::selForeColor() const
{
    return d->delegate->appearance().selectionText;
}

void ListEx::setSelForeColor(const QColor &color)
{
    d->setColor(&ListExDelegate::Appearance::selectionText, color);
}

void ListEx::unsetSelForeColor()
{
    setSelForeColor(QColor());
}

QColor ListEx::transpColor() const
{
    return d->delegate->appearance().transparentColor;
}

void ListEx::setTranspColor(const QColor &color)
{
    d->setColor(&ListExDelegate::Appearance::transparentColor, color);
}

void ListEx::unsetTranspColor()
{
    setTranspColor(QColor());
}

int ListEx::textLeft() const
{
    return d->delegate->appearance().textLeft;
}

void ListEx::setTextLeft(int px)
{
    d->setPixels("setTextLeft", &ListExDelegate::Appearance::textLeft, px);
}

int ListEx::pictLeft() const
{
    return d->delegate->appearance().pictLeft;
}

void ListEx::setPictLeft(int px)
{
    d->setPixels("setPictLeft", &ListExDelegate::Appearance::pictLeft, px);
}

int ListEx::pictTop() const
{
    return d->delegate->appearance().pictTop;
}

void ListEx::setPictTop(int px)
{
    d->setPixels("setPictTop", &ListExDelegate::Appearance::pictTop, px);
}

int ListEx::pictWidth() const
{
    return d->delegate->appearance().pictWidth;
}

void ListEx::setPictWidth(int px)
{
    d->setPixels("setPictWidth", &ListExDelegate::Appearance::pictWidth, px);
}

int ListEx::pictHeight() const
{
    return d->delegate->appearance().pictHeight;
}

void ListEx::setPictHeight(int px)
{
    d->setPixels("setPictHeight", &ListExDelegate::Appearance::pictHeight, px);
}

int ListEx::itemHeight() const
{
    return d->delegate->appearance().itemHeight;
}

void ListEx::setItemHeight(int px)
{
    d->setPixels("setItemHeight", &ListExDelegate::Appearance::itemHeight, px);
}

QString version()
{
    return QStringLiteral(KVLISTEX_VERSION_STRING);
}

} // namespace KvListEx
