// SPDX-License-Identifier: BSD-3-Clause
// The classic ListEx: the members and stored properties of the list box control that forms
// programs written for it call, over the Qt-style KvListEx::ListEx. For porting such programs.
#pragma once

#include <KvListEx/kvlistex_export.h>
#include <KvListEx/listex.h>

#include <QPersistentModelIndex>
#include <QPointer>

#include <utility>

class QLineEdit;

/// The classic layer: the list box control's own members, names and units, for programs
/// ported from forms environments. Its members report a failure as the classic control did:
/// they throw (std::out_of_range for a position that names no item, std::invalid_argument for a
/// stored property that is not one). Use them from code that expects that; a slot connected to
/// a Qt signal must not let the exception leave it.
namespace KvListEx::Classic {

/// A colour as a 0x00BBGGRR value (red in the low byte). -1 means none; a value with the high
/// bit set, 0x80000000 | index, names a system colour that follows the palette.
using OleColor = qint32;
/// No colour.
constexpr OleColor kvNoColor = -1;

/// The QColor for a 0x00BBGGRR value or a system colour of this palette; invalid for -1 and
/// for values that name no colour.
KVLISTEX_EXPORT QColor ToQColor(OleColor color, const QPalette &palette);
/// The 0x00BBGGRR value of a colour; its alpha is dropped. kvNoColor for an invalid colour.
KVLISTEX_EXPORT OleColor FromQColor(const QColor &color);

class ListEx;
class ListItemCollection;

/// One item of a classic list, as a handle. It follows its item when other items are added,
/// sorted in or removed; once its item is removed, every member throws std::out_of_range.
class KVLISTEX_EXPORT ListItem {
public:
    /// The item's text.
    QString Text() const;
    /// The item colour as a 0x00BBGGRR value; kvNoColor for none.
    OleColor ItemColor() const;
    /// The item's own background as a 0x00BBGGRR value; kvNoColor for the list's.
    OleColor BackColor() const;
    /// The FontKind of a font family item; kvVectorFont (0) for other items.
    qint32 FontType() const;
    /// Sets the number FontType() returns.
    void SetFontType(qint32 type);
    /// The description: the row's tool tip and its screen-reader description.
    QString Description() const;
    /// The number kept for the caller (-1 by default).
    qint32 ItemData() const;
    /// Whether the user can select the item.
    bool Enabled() const;
    /// Enables or disables the item; shows at once.
    void SetEnabled(bool enabled);
    /// The item's own font, a copy of the list's font until changed. The reference lives as
    /// long as the item; changes show after ListEx::Refresh().
    QFont &Font();

private:
    friend class ListItemCollection;
    ListItem(ListEx *list, const QPersistentModelIndex &index)
        : m_list(list)
        , m_index(index)
    {
    }
    int row(const char *member) const;
    QPointer<ListEx> m_list;
    QPersistentModelIndex m_index;
};

/// The items of one classic list, by zero-based position.
class KVLISTEX_EXPORT ListItemCollection {
public:
    /// The number of items.
    qint32 Count() const;
    /// The item at a position; throws std::out_of_range for a position that names no item.
    ListItem Item(qint32 index) const;

private:
    friend class ListEx;
    explicit ListItemCollection(ListEx *list)
        : m_list(list)
    {
    }
    QPointer<ListEx> m_list;
};

/// The classic list box control: KvListEx::ListEx with the members, numbers and stored
/// properties of the control that forms programs were written for.
class KVLISTEX_EXPORT ListEx : public KvListEx::ListEx {
    Q_OBJECT
public:
    /// Drawing styles by their stored numbers.
    enum ListStyle : qint32 {
        kvText = 0,             ///< item text only
        kvPictureAndText = 1,   ///< picture box at the left, text beside it (the default)
        kvColorRectAndText = 2, ///< colour rectangle filled with the item colour, text beside it
        kvLargePicture = 3,     ///< the picture fills the whole item
        kvLargeColorRect = 4,   ///< the item colour fills the whole item
    };

    /// Stored properties: ordered key/value pairs ("backcolor", "font", "style"…).
    using Properties = QList<std::pair<QString, QVariant>>;

    /// An empty list with every setting at its default.
    explicit ListEx(QWidget *parent = nullptr);
    /// A list made from stored properties; throws as ReadProperties() does.
    explicit ListEx(const Properties &stored, QWidget *parent = nullptr);
    ~ListEx() override;

    /// Applies stored properties; keys not given keep their values. All or nothing: throws
    /// std::invalid_argument for an unknown key and std::out_of_range for a value of the wrong
    /// type or outside its range, before changing anything.
    void ReadProperties(const Properties &stored);
    /// The keys whose values differ from the defaults, in their fixed order; "font" always.
    Properties WriteProperties() const;

    /// Adds an item. index: the position to insert at, -1 for the end; a sorted list puts every
    /// item at its sorted place. Colours are 0x00BBGGRR values (system colours resolve against
    /// the list's palette now); font: the item's own font, or null for the list's. picture: kept
    /// by the item. itemData: a number kept for the caller. Throws std::out_of_range, adding
    /// nothing, for an index outside -1…count or a colour that is neither -1 nor names a colour.
    void AddItem(const QString &text, qint32 index = -1, OleColor itemColor = kvNoColor,
                 OleColor backColor = kvNoColor, const QFont *font = nullptr,
                 const QPixmap &picture = QPixmap(), qint32 itemData = -1,
                 const QString &description = QString());
    /// Removes every item; selects nothing and raises no ItemSelected.
    void Clear();
    /// Redraws every item after changes made through ListItem::Font().
    void Refresh();
    /// Adds one item per colour role of the palette, named and coloured; each follows its role
    /// when the list's palette changes.
    void AddSystemColors();
    /// Adds one item per installed font family with its kind, each drawn in its own face where
    /// that face can draw the family's name.
    void AddScreenFonts();

    /// Position of the first item whose text equals (exact) or starts with the text, ignoring
    /// case; -1 when none does.
    qint32 FindItem(const QString &text, bool exact = false) const;
    /// As above, with the text the box holds.
    qint32 FindItem(const QLineEdit &box, bool exact = false) const;

    /// The selected position, -1 for none.
    qint32 ListIndex() const;
    /// Selects the item at index (-1 selects nothing), disabled items included, and raises
    /// ItemSelected when the selection changes to an item. Throws std::out_of_range outside
    /// -1…count-1.
    void SetListIndex(qint32 index);

    /// The drawing style as its stored number.
    qint32 Style() const;
    /// Sets the drawing style by number; throws std::out_of_range outside 0…4.
    void SetStyle(qint32 style);

    /// The list's items, by position.
    ListItemCollection ListItems();

    /// Shows the control's modal About box.
    void AboutBox();

    /// The library's version, as KVLISTEX_VERSION_STRING of <KvListEx/kvlistex_version.h>.
    static QString Version();

signals:
    /// An item has become the selection, by the user or by SetListIndex().
    void ItemSelected();

protected:
    /// Names the items of AddSystemColors() anew when the language changes.
    void changeEvent(QEvent *event) override;
};

} // namespace KvListEx::Classic
