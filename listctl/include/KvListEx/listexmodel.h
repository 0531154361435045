// SPDX-License-Identifier: BSD-3-Clause
// ListExModel: the items of a list, as an editable Qt list model.
#pragma once

#include <KvListEx/kvlistex_export.h>
#include <KvListEx/listexitem.h>

#include <QAbstractListModel>
#include <QStringList>

#include <initializer_list>
#include <memory>

namespace KvListEx {

class ListExModelPrivate;

/// The items of a ListEx: a flat, editable list model that any QListView can show.
///
/// Every field of an item is a role. Qt's roles: Qt::DisplayRole and Qt::EditRole the text
/// (QString), Qt::DecorationRole the picture (QPixmap; a QImage or a QIcon set is kept as a
/// picture), Qt::ForegroundRole the item colour (QBrush; set a QColor or a solid QBrush, and
/// Qt::NoBrush or an invalid QVariant for none; other brushes are refused), Qt::BackgroundRole
/// the item's own background (likewise), Qt::FontRole the item's own font (QFont; an invalid
/// QVariant for the list's), Qt::ToolTipRole and Qt::AccessibleDescriptionRole the description
/// (QString). The model's own roles are listed in Role. Colours are kept as QRgb, eight bits a
/// channel with alpha: a colour given in another spec or at a finer precision reads back as
/// that RGB colour.
///
/// Every change is announced when it happens: rows added are in the model when the call that
/// adds them returns. A slot connected to any of the model's signals may call any member: a
/// change asked for while the model is announcing another one is made right after that
/// announcement ends (a member that returns a row then returns -1). A sorted model keeps its
/// rows in case-insensitive order of their texts, equal texts in the order added.
///
/// Rows that name no item are refused as Qt refuses them: a warning naming the member and the
/// row, no change, and the documented return value. No member throws.
class KVLISTEX_EXPORT ListExModel : public QAbstractListModel {
    Q_OBJECT
    /// Whether the rows are kept in case-insensitive order of their texts; false by default.
    Q_PROPERTY(bool sorted READ isSorted WRITE setSorted NOTIFY sortedChanged)

public:
    /// The model's own roles.
    enum Role {
        ItemDataRole = Qt::UserRole,    ///< QVariant: the data kept for the program
        EnabledRole = Qt::UserRole + 1, ///< bool: whether the user can select the item
        PaletteColorRole, ///< int: the QPalette::ColorRole the item colour follows, or QPalette::NoRole
        FontKindRole,     ///< int: the FontKind of a font family item; invalid for other items
    };
    Q_ENUM(Role)

    /// An empty model.
    explicit ListExModel(QObject *parent = nullptr);
    ~ListExModel() override;

    /// The index of the item at row (column 0, no parent); invalid for any other place.
    QModelIndex index(int row, int column = 0, const QModelIndex &parent = QModelIndex()) const override;
    /// The number of items; 0 for any valid parent (the model is flat).
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    /// The value of one role of an item; an invalid QVariant for a role the item does not set.
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    /// Changes one role of an item and announces it with dataChanged(); false for an index that
    /// names no item, a role the model does not keep or a value of the wrong type. In a sorted
    /// model, a new text moves the row to its place; a row still in order stays where it is.
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    /// Enabled items are enabled, selectable, editable and can be dragged; disabled ones none of
    /// these. Items are dropped between rows (the invalid index is drop-enabled), not onto items.
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    /// Every role the item sets, each once: Qt::DisplayRole, Qt::DecorationRole,
    /// Qt::ForegroundRole (or PaletteColorRole), Qt::BackgroundRole, Qt::FontRole,
    /// Qt::ToolTipRole, ItemDataRole, EnabledRole and FontKindRole; empty for an index that names
    /// no item. setItemData() takes it back whole, and drags carry it.
    QMap<int, QVariant> itemData(const QModelIndex &index) const override;
    /// Changes several roles of an item at once, announced with one dataChanged(); all or
    /// nothing: a role the model does not keep or a value of the wrong type refuses the whole map.
    bool setItemData(const QModelIndex &index, const QMap<int, QVariant> &roles) override;
    /// Copy and move.
    Qt::DropActions supportedDropActions() const override;
    /// Inserts the dropped rows as items before row (or before the item dropped on; at the end
    /// for -1), in their order, each made whole first: a sorted model puts each where it sorts.
    /// Roles the model does not keep are left out.
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
                      const QModelIndex &parent) override;
    /// Inserts count empty items at row (in a sorted model, at any row, where empty texts sort).
    bool insertRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    /// Removes count items from row on.
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    /// Moves count items from sourceRow to before destinationChild; refused in a sorted model.
    bool moveRows(const QModelIndex &sourceParent, int sourceRow, int count,
                  const QModelIndex &destinationParent, int destinationChild) override;
    /// Sorts the items once by their texts, case-insensitively, in the order asked, keeping equal
    /// texts in order. A sorted model refuses descending order with a warning.
    void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;
    /// As QAbstractItemModel::match(); for the text roles it reads the items directly, so a
    /// search of a million items takes milliseconds.
    QModelIndexList match(const QModelIndex &start, int role, const QVariant &value, int hits = 1,
                          Qt::MatchFlags flags = Qt::MatchFlags(Qt::MatchStartsWith |
                                                                Qt::MatchWrap)) const override;
    /// Role names for QML and item views: display, decoration, foreground, background, font,
    /// toolTip, itemData, enabled, paletteColor, fontKind.
    QHash<int, QByteArray> roleNames() const override;

    /// The number of items.
    int count() const;
    /// The item at row; a default ListExItem, with a warning, for a row that names no item.
    ListExItem item(int row) const;
    /// Replaces the item at row; false, with a warning, for a row that names no item.
    bool setItem(int row, const ListExItem &item);
    /// Inserts an item before row (count() appends) and returns the row it went to (a sorted
    /// model puts it at its sorted place); -1, with a warning, for a row outside 0…count().
    int insertItem(int row, const ListExItem &item);
    /// Appends an item and returns its row (in a sorted model, its sorted place).
    int addItem(const ListExItem &item);
    /// Appends an item with this text alone and returns its row.
    int addItem(const QString &text);
    /// Appends items, announced as one insertion (a sorted model merges them in with one layout
    /// change).
    void addItems(const QList<ListExItem> &items);
    /// Appends one item per text.
    void addItems(const QStringList &texts);
    /// Appends one item per text: addItems({"one", "two"}).
    void addItems(std::initializer_list<QString> texts) { addItems(QStringList(texts)); }
    /// Removes the item at row and returns it; a default ListExItem, with a warning, for a row
    /// that names no item.
    ListExItem takeItem(int row);
    /// Removes every item.
    void clear();

    /// The first row from `from` on whose text matches, -1 for none. Qt::MatchExactly,
    /// Qt::MatchFixedString, Qt::MatchStartsWith, Qt::MatchEndsWith, Qt::MatchContains,
    /// Qt::MatchWildcard and Qt::MatchRegularExpression are understood; the match ignores case
    /// unless Qt::MatchCaseSensitive is given; Qt::MatchWrap goes on from row 0 after the last.
    int findRow(const QString &text, Qt::MatchFlags flags = Qt::MatchStartsWith, int from = 0) const;

    /// Whether the model keeps its items sorted.
    bool isSorted() const;
    /// Switches sorting on (sorting the items once) or off.
    void setSorted(bool sorted);

    /// The palette that items following a palette role take their colour from; the
    /// application's until set. A ListEx sets its own.
    QPalette palette() const;
    /// Sets that palette and tells the views of every item that follows it.
    void setPalette(const QPalette &palette);

signals:
    /// Sorting was switched on or off.
    void sortedChanged(bool sorted);

private:
    Q_DISABLE_COPY(ListExModel)
    friend class ListExModelPrivate;
    std::unique_ptr<ListExModelPrivate> const d;
};

} // namespace KvListEx
