// SPDX-License-Identifier: BSD-3-Clause
// ListEx: a list whose items carry a picture, colours, a font and a description.
#pragma once

#include <KvListEx/kvlistex_export.h>
#include <KvListEx/listexitem.h>
#include <KvListEx/listexmodel.h>

#include <QColor>
#include <QList>
#include <QListView>
#include <QStringList>

#include <initializer_list>
#include <memory>

namespace KvListEx {

class ListExModel;
class ListExDelegate;
class ListExPrivate;

/// A list widget whose items carry a picture, an item colour, a background, a font and a
/// description, drawn in one of five styles.
///
/// It works like QListWidget: items are added with addItem(), insertItem() and addItems(),
/// read with item(), changed with setItem() and removed with takeItem(), removeItem() or
/// clear(); every change shows at once. Items live in a ListExModel (itemModel()), drawn by a
/// ListExDelegate; a QSortFilterProxyModel over the item model can be set with setModel(), and
/// rows hidden with setRowHidden() are skipped by the keys, type-ahead and findItem().
///
/// Rows given to and returned by the list's own members are rows of itemModel(), whatever
/// proxy the view shows. A row that names no item is refused with a warning naming the member
/// and the row, changes nothing, and returns the documented value. No member throws.
///
/// In a style sheet the class is matched as `KvListEx--ListEx`.
class KVLISTEX_EXPORT ListEx : public QListView {
    Q_OBJECT
    /// The row of the current item, -1 for none. Setting it makes that row current and, unless
    /// the selection mode is NoSelection or MultiSelection, the only selected row.
    Q_PROPERTY(int currentRow READ currentRow WRITE setCurrentRow NOTIFY currentRowChanged DESIGNABLE false)
    /// Whether items are kept in case-insensitive order of their texts; false by default.
    Q_PROPERTY(bool sortingEnabled READ isSortingEnabled WRITE setSortingEnabled NOTIFY sortingEnabledChanged)
    /// How items are drawn; PictureAndText by default.
    Q_PROPERTY(ItemStyle itemStyle READ itemStyle WRITE setItemStyle NOTIFY appearanceChanged)
    /// The ground of rows without a background of their own; unset (the palette's Base) by default.
    Q_PROPERTY(
        QColor backColor READ backColor WRITE setBackColor RESET unsetBackColor NOTIFY appearanceChanged)
    /// The ground of the selected row; unset (the palette's Highlight) by default.
    Q_PROPERTY(QColor selBackColor READ selBackColor WRITE setSelBackColor RESET unsetSelBackColor NOTIFY
                   appearanceChanged)
    /// The selected row's text colour; unset (the palette's HighlightedText) by default.
    Q_PROPERTY(QColor selForeColor READ selForeColor WRITE setSelForeColor RESET unsetSelForeColor NOTIFY
                   appearanceChanged)
    /// Pixels of pictures in this colour are not drawn; unset (none) by default.
    Q_PROPERTY(QColor transpColor READ transpColor WRITE setTranspColor RESET unsetTranspColor NOTIFY
                   appearanceChanged)
    /// Pixels from the picture box (or the row's edge, in the Text style) to the text; 2 by default.
    Q_PROPERTY(int textLeft READ textLeft WRITE setTextLeft NOTIFY appearanceChanged)
    /// Pixels from the row's edge to the picture box; 2 by default.
    Q_PROPERTY(int pictLeft READ pictLeft WRITE setPictLeft NOTIFY appearanceChanged)
    /// Pixels from the row's top to the picture box; 2 by default.
    Q_PROPERTY(int pictTop READ pictTop WRITE setPictTop NOTIFY appearanceChanged)
    /// The picture box's width in pixels; 16 by default.
    Q_PROPERTY(int pictWidth READ pictWidth WRITE setPictWidth NOTIFY appearanceChanged)
    /// The picture box's height in pixels; 16 by default.
    Q_PROPERTY(int pictHeight READ pictHeight WRITE setPictHeight NOTIFY appearanceChanged)
    /// The row height in pixels; 0 (the default) derives it from the font.
    Q_PROPERTY(int itemHeight READ itemHeight WRITE setItemHeight NOTIFY appearanceChanged)

public:
    /// How items are drawn.
    enum ItemStyle : int {
        Text = 0,             ///< the text alone
        PictureAndText = 1,   ///< the picture in its box at the left, the text beside it
        ColorRectAndText = 2, ///< a rectangle filled with the item colour, the text beside it
        LargePicture = 3,     ///< the picture fills the row
        LargeColorRect = 4,   ///< the item colour fills the row
    };
    Q_ENUM(ItemStyle)

    /// The largest pixel setting: offsets and sizes are 0 to this.
    static constexpr int MaxPixels = 32767;

    /// An empty list with every setting at its default.
    explicit ListEx(QWidget *parent = nullptr);
    ~ListEx() override;

    /// The list's own model, which holds its items, whatever model() the view shows.
    ListExModel *itemModel() const;
    /// The delegate that draws the rows; its appearance is what the drawing properties set.
    ListExDelegate *listDelegate() const;

    /// The number of items.
    int count() const;
    /// The item at row; a default ListExItem, with a warning, for a row that names no item.
    ListExItem item(int row) const;
    /// Replaces the item at row; false, with a warning, for a row that names no item.
    bool setItem(int row, const ListExItem &item);
    /// Appends an item with this text; returns its row.
    int addItem(const QString &text);
    /// Appends an item; returns its row (in a sorted list, its sorted place).
    int addItem(const ListExItem &item);
    /// Appends items, announced to views as one change.
    void addItems(const QList<ListExItem> &items);
    /// Appends one item per text.
    void addItems(const QStringList &texts);
    /// Appends one item per text: addItems({"one", "two"}).
    void addItems(std::initializer_list<QString> texts) { addItems(QStringList(texts)); }
    /// Inserts an item before row (count() appends); returns the row it went to, -1, with a
    /// warning, for a row outside 0…count().
    int insertItem(int row, const ListExItem &item);
    /// Inserts an item with this text before row; as above.
    int insertItem(int row, const QString &text);
    /// Removes the item at row and returns it; a default ListExItem, with a warning, for a row
    /// that names no item.
    ListExItem takeItem(int row);
    /// Removes the item at row; false, with a warning, for a row that names no item.
    bool removeItem(int row);

    /// The current row, -1 for none.
    int currentRow() const;
    /// The selected rows, in ascending order.
    QList<int> selectedRows() const;

    /// The rows whose texts match, in order, skipping rows the view does not show (hidden or
    /// filtered out). Flags as ListExModel::findRow(); the match ignores case unless
    /// Qt::MatchCaseSensitive is given.
    QList<int> findItems(const QString &text, Qt::MatchFlags flags = Qt::MatchStartsWith) const;
    /// The first row from `from` on whose text matches, skipping rows the view does not show;
    /// -1 for none, and, with a warning, for a start outside 0…count().
    int findItem(const QString &text, Qt::MatchFlags flags = Qt::MatchStartsWith, int from = 0) const;

    /// Whether items are kept sorted.
    bool isSortingEnabled() const;
    /// Switches sorting on (sorting the items once) or off.
    void setSortingEnabled(bool enabled);

    /// The drawing style.
    ItemStyle itemStyle() const;
    /// Sets the drawing style; a value outside ItemStyle is refused with a warning.
    void setItemStyle(ItemStyle style);

    /// See the backColor property.
    QColor backColor() const;
    /// Sets it; an invalid colour unsets it.
    void setBackColor(const QColor &color);
    /// Follows the palette again.
    void unsetBackColor();
    /// See the selBackColor property.
    QColor selBackColor() const;
    /// Sets it; an invalid colour unsets it.
    void setSelBackColor(const QColor &color);
    /// Follows the palette again.
    void unsetSelBackColor();
    /// See the selForeColor property.
    QColor selForeColor() const;
    /// Sets it; an invalid colour unsets it.
    void setSelForeColor(const QColor &color);
    /// Follows the palette again.
    void unsetSelForeColor();
    /// See the transpColor property.
    QColor transpColor() const;
    /// Sets it; an invalid colour unsets it.
    void setTranspColor(const QColor &color);
    /// No transparent colour again.
    void unsetTranspColor();

    /// See the textLeft property.
    int textLeft() const;
    /// Sets it; a value outside 0…MaxPixels is refused with a warning (so are the setters below).
    void setTextLeft(int px);
    /// See the pictLeft property.
    int pictLeft() const;
    /// Sets it.
    void setPictLeft(int px);
    /// See the pictTop property.
    int pictTop() const;
    /// Sets it.
    void setPictTop(int px);
    /// See the pictWidth property.
    int pictWidth() const;
    /// Sets it.
    void setPictWidth(int px);
    /// See the pictHeight property.
    int pictHeight() const;
    /// Sets it.
    void setPictHeight(int px);
    /// See the itemHeight property. Rows are never so tall that all of them would pass the
    /// view's coordinate range: in very long lists they are drawn lower than this.
    int itemHeight() const;
    /// Sets it.
    void setItemHeight(int px);

    /// Shows the list's own model (the default) or a proxy model whose source, directly or
    /// through other proxies, is itemModel(). Any other model is refused with a warning. When
    /// the proxy shown is deleted, or given another source (once it has reset), the list shows
    /// itemModel() again, with the same item current.
    void setModel(QAbstractItemModel *model) override;
    /// Type-ahead: makes the next shown, enabled row whose text starts with what was typed
    /// current, ignoring case. The same letter typed again steps to the next row that starts
    /// with it, unless a row starts with the letters as typed.
    void keyboardSearch(const QString &search) override;

public slots:
    /// Makes row current (and selected, as the currentRow property says); -1 makes no row
    /// current. A row that names no item, or that the view does not show, is refused with a
    /// warning.
    void setCurrentRow(int row);
    /// Removes every item; the current row becomes -1.
    void clear();

signals:
    /// The current row changed: another item became current, or rows inserted, removed or
    /// sorted moved the current item to another row; row is -1 when no item is current (also
    /// after clear()).
    void currentRowChanged(int row);
    /// The user activated the item at row (double click, or Return, as the platform has it).
    void itemActivated(int row);
    /// The selection changed, also when clear() or a reset of the model dropped it.
    void itemSelectionChanged();
    /// Sorting was switched on or off.
    void sortingEnabledChanged(bool enabled);
    /// A drawing property changed.
    void appearanceChanged();

protected:
    /// Keeps the current item selected in single selection, also a disabled one.
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    /// Makes a row selected from outside current in single selection.
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;
    /// In single selection, a click or Ctrl+Space never leaves the list without a selection.
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;
    /// The keys step over disabled and hidden rows.
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    /// Home and End also show the list's ends when the first or last rows are disabled.
    void keyPressEvent(QKeyEvent *event) override;
    /// Focus coming in makes a row current, as in Qt's views, and selects nothing.
    void focusInEvent(QFocusEvent *event) override;
    /// Draws a disabled current row as selected, which Qt's views never do.
    void paintEvent(QPaintEvent *event) override;
    /// Follows changes of palette, font and enabled state.
    void changeEvent(QEvent *event) override;
    /// Lays the rows out once for many insertions in a row.
    void rowsInserted(const QModelIndex &parent, int start, int end) override;
    /// Spaces out the layouts of a long list that keeps growing.
    void timerEvent(QTimerEvent *event) override;
    /// Spaces out the layouts of a long list that keeps growing, also when its frame repaints.
    bool event(QEvent *event) override;

public:
    /// Lays the rows out (Qt calls it when the layout is due). A view mode other than ListMode
    /// is refused with a warning.
    void doItemsLayout() override;

private:
    Q_DISABLE_COPY(ListEx)
    friend class ListExPrivate;
    std::unique_ptr<ListExPrivate> const d;
};

/// The version of the library the program runs with, as KVLISTEX_VERSION_STRING of
/// <KvListEx/kvlistex_version.h> was when it was built ("2.0.0").
KVLISTEX_EXPORT QString version();

} // namespace KvListEx
