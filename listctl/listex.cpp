// SPDX-License-Identifier: BSD-3-Clause
#include "listex.h"

#include "listex_p.h"

#include <KvListEx/kvlistex_version.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include <stdexcept>
#include <string>

namespace KvListEx {

ListEx::ListEx(QWidget *parent)
    : QListView(parent)
    , d(std::make_unique<ListExPrivate>(this))
{
    installListExAccessibility();
    d->model = new ListExModel([this] { return font(); }, this);
    d->delegate = new ListExDelegate(this);
    QListView::setModel(d->model);
    setItemDelegate(d->delegate);
    setUniformItemSizes(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    connect(qApp, &QGuiApplication::fontDatabaseChanged, this, &ListEx::Refresh);
    // Rows that move or go leave a screen reader's row handles naming other items.
    const auto forget = [this] { d->forgetAccessibleRows(); };
    connect(d->model, &QAbstractItemModel::rowsInserted, this, forget);
    connect(d->model, &QAbstractItemModel::modelReset, this, forget);
    connect(d->model, &QAbstractItemModel::layoutChanged, this, forget);
    connect(d->model, &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex &first, const QModelIndex &last, const QList<int> &roles) {
                if (!QAccessible::isActive() || !roles.contains(EnabledRole))
                    return;
                QAccessible::State changed;
                changed.disabled = true;
                for (int row = first.row(); row <= last.row(); ++row) {
                    QAccessibleStateChangeEvent event(this, changed);
                    event.setChild(row);
                    QAccessible::updateAccessibility(&event);
                }
            });
    d->applyBackground();
}

ListEx::ListEx(const Properties &stored, QWidget *parent)
    : ListEx(parent)
{
    ReadProperties(stored);
}

ListEx::~ListEx()
{
    d->forgetAccessibleRows();
}

void ListExPrivate::applyBackground()
{
    QPalette ground; // only the base colour: the rest follows the list's palette
    ground.setColor(QPalette::Base, ToQColor(delegate->look().backColor, q->palette()));
    q->viewport()->setPalette(ground);
    q->viewport()->setAutoFillBackground(true);
}

void ListExPrivate::lookChanged(bool heightChanged)
{
    if (heightChanged)
        q->doItemsLayout();
    q->viewport()->update();
}

bool ListExPrivate::acceptPixels(const char *setter, int px) const
{
    if (pixelsInRange(px))
        return true;
    qWarning("ListEx::%s: %d is not a size in pixels (0 to %d); ignored", setter, px, kMaxPixels);
    return false;
}

void ListExPrivate::setPixels(const char *setter, qint32 ListLook::*field, int px)
{
    if (!acceptPixels(setter, px))
        return;
    delegate->look().*field = px;
    lookChanged(field == &ListLook::itemHeight);
}

QColor ListExPrivate::colorProperty(OleColor value, OleColor byDefault) const
{
    return value == byDefault ? QColor() : ToQColor(value, q->palette());
}

void ListExPrivate::setColorProperty(OleColor ListLook::*field, const QColor &color, OleColor byDefault)
{
    delegate->look().*field = color.isValid() ? FromQColor(color) : byDefault;
    if (field == &ListLook::transpColor)
        delegate->forgetPictures();
    if (field == &ListLook::backColor)
        applyBackground();
    lookChanged();
}

void ListEx::AddItem(const QString &text, qint32 index, OleColor itemColor, OleColor backColor,
                     const QFont *font, const QPixmap &picture, qint32 itemData, const QString &description)
{
    const qint32 count = d->model->count();
    if (index < -1 || index > count)
        throw std::out_of_range("ListEx::AddItem: cannot insert at position " + std::to_string(index) +
                                " (the list has " + std::to_string(count) + " items)");
    ItemRecord item;
    item.itemColor = itemColor;
    item.backColor = backColor;
    item.itemData = itemData;
    item.picture = d->model->pictureIndex(picture);
    if (!description.isEmpty())
        item.ensureExtra().description = description;
    if (font)
        item.ensureExtra().font = *font;
    if (index == -1 || index == count || d->model->isSorted())
        d->model->append(std::move(item), text);
    else
        d->model->insert(index, std::move(item), text);
}

void ListEx::Clear()
{
    d->model->clear();
    d->delegate->forgetPictures();
}

void ListEx::Refresh()
{
    d->model->refreshAll();
    viewport()->update();
}

qint32 ListEx::FindItem(const QString &text, bool exact) const
{
    return d->model->find(text, exact);
}

qint32 ListEx::FindItem(const QLineEdit &box, bool exact) const
{
    return FindItem(box.text(), exact);
}

qint32 ListEx::ListIndex() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? current.row() : -1;
}

void ListEx::SetListIndex(qint32 index)
{
    d->model->flush();
    const qint32 count = d->model->count();
    if (index < -1 || index >= count)
        throw std::out_of_range("ListEx::ListIndex: " + noItemAt(index, count));
    if (index == -1)
        selectionModel()->clear();
    else
        selectionModel()->setCurrentIndex(d->model->index(index), QItemSelectionModel::ClearAndSelect);
}

void ListEx::setListIndex(int index)
{
    d->model->flush();
    if (index < -1 || index >= d->model->count()) {
        qWarning("ListEx::setListIndex: %s; ignored", noItemAt(index, d->model->count()).c_str());
        return;
    }
    SetListIndex(index);
}

// The selection is the current item, also where Qt would not select it (a disabled item that
// the program chose): a change of it is what ItemSelected tells.
void ListEx::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    QListView::currentChanged(current, previous);
    if (!current.isValid())
        return;
    if (!selectionModel()->isSelected(current))
        selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
    emit ItemSelected();
}

// A selection made from outside, through the selection model, moves the current item with it.
void ListEx::selectionChanged(const QItemSelection &selected, const QItemSelection &deselected)
{
    QListView::selectionChanged(selected, deselected);
    const QModelIndexList chosen = selected.indexes();
    if (!chosen.isEmpty() && chosen.constFirst() != currentIndex())
        selectionModel()->setCurrentIndex(chosen.constFirst(), QItemSelectionModel::NoUpdate);
}

// Ctrl+click or Ctrl+Space would leave the current item unselected: the selection stays on it.
QItemSelectionModel::SelectionFlags ListEx::selectionCommand(const QModelIndex &index,
                                                             const QEvent *event) const
{
    QItemSelectionModel::SelectionFlags command = QListView::selectionCommand(index, event);
    if (command & (QItemSelectionModel::Deselect | QItemSelectionModel::Toggle))
        command = QItemSelectionModel::ClearAndSelect;
    return command;
}

QModelIndex ListEx::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const qint32 rows = d->model->rowCount();
    if (rows == 0)
        return {};
    auto enabled = [this](qint32 row) { return bool(d->model->index(row).flags() & Qt::ItemIsEnabled); };
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

// Home and End show the list's own ends, also when the first or last items are disabled.
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

// Qt never draws a disabled item as selected; the program may select one, so it is drawn here.
void ListEx::paintEvent(QPaintEvent *event)
{
    QListView::paintEvent(event);
    const QModelIndex current = currentIndex();
    if (!current.isValid() || (current.flags() & Qt::ItemIsEnabled))
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
        viewport()->update();
        break;
    case QEvent::FontChange:
        d->lookChanged(true); // a height derived from the font follows it
        break;
    case QEvent::PaletteChange:
        d->applyBackground();
        d->model->followPalette(palette());
        break;
    default:
        break;
    }
}

void ListEx::setModel(QAbstractItemModel *model)
{
    if (model == d->model)
        return;
    qWarning("ListEx::setModel: a ListEx shows only its own items (add them with AddItem); model %p refused",
             static_cast<void *>(model));
}

qint32 ListEx::Style() const
{
    return d->delegate->look().style;
}

void ListEx::SetStyle(qint32 style)
{
    if (style < kvText || style > kvLargeColorRect)
        throw std::out_of_range("ListEx::Style: no style " + std::to_string(style) + " (styles are 0 to 4)");
    d->delegate->look().style = style;
    d->lookChanged();
}

ListEx::ListStyle ListEx::listStyle() const
{
    return ListStyle(Style());
}

void ListEx::setListStyle(ListStyle style)
{
    if (style < kvText || style > kvLargeColorRect) {
        qWarning("ListEx::setListStyle: no style %d (styles are 0 to 4); ignored", int(style));
        return;
    }
    SetStyle(style);
}

ListItemCollection ListEx::ListItems() const
{
    d->model->flush();
    return ListItemCollection(d->model);
}

QColor ListEx::backColor() const
{
    return d->colorProperty(d->delegate->look().backColor, kSysWindow);
}

void ListEx::setBackColor(const QColor &color)
{
    d->setColorProperty(&ListLook::backColor, color, kSysWindow);
}

QColor ListEx::selBackColor() const
{
    return d->colorProperty(d->delegate->look().selBackColor, kSysHighlight);
}

void ListEx::setSelBackColor(const QColor &color)
{
    d->setColorProperty(&ListLook::selBackColor, color, kSysHighlight);
}

QColor ListEx::selForeColor() const
{
    return d->colorProperty(d->delegate->look().selForeColor, kSysHighlightText);
}

void ListEx::setSelForeColor(const QColor &color)
{
    d->setColorProperty(&ListLook::selForeColor, color, kSysHighlightText);
}

QColor ListEx::transpColor() const
{
    return d->colorProperty(d->delegate->look().transpColor, kvNoColor);
}

void ListEx::setTranspColor(const QColor &color)
{
    d->setColorProperty(&ListLook::transpColor, color, kvNoColor);
}

int ListEx::textLeft() const
{
    return d->delegate->look().textLeft;
}

void ListEx::setTextLeft(int px)
{
    d->setPixels("setTextLeft", &ListLook::textLeft, px);
}

int ListEx::pictLeft() const
{
    return d->delegate->look().pictLeft;
}

void ListEx::setPictLeft(int px)
{
    d->setPixels("setPictLeft", &ListLook::pictLeft, px);
}

int ListEx::pictTop() const
{
    return d->delegate->look().pictTop;
}

void ListEx::setPictTop(int px)
{
    d->setPixels("setPictTop", &ListLook::pictTop, px);
}

int ListEx::pictWidth() const
{
    return d->delegate->look().pictWidth;
}

void ListEx::setPictWidth(int px)
{
    d->setPixels("setPictWidth", &ListLook::pictWidth, px);
}

int ListEx::pictHeight() const
{
    return d->delegate->look().pictHeight;
}

void ListEx::setPictHeight(int px)
{
    d->setPixels("setPictHeight", &ListLook::pictHeight, px);
}

int ListEx::itemHeight() const
{
    return d->delegate->look().itemHeight;
}

void ListEx::setItemHeight(int px)
{
    d->setPixels("setItemHeight", &ListLook::itemHeight, px);
}

bool ListEx::isSorted() const
{
    return d->model->isSorted();
}

void ListEx::setSorted(bool sorted)
{
    d->model->setSorted(sorted);
}

QString ListEx::Version()
{
    return QStringLiteral(KVLISTEX_VERSION_STRING);
}

} // namespace KvListEx
