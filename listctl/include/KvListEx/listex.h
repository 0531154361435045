// SPDX-License-Identifier: BSD-3-Clause
// ListEx: an extended list box with per-item pictures, colours, fonts and descriptions.
#pragma once

#include <KvListEx/kvlistex_export.h>

#include <QColor>
#include <QFont>
#include <QList>
#include <QListView>
#include <QPixmap>
#include <QString>
#include <QVariant>

#include <memory>
#include <utility>

class QLineEdit;

namespace KvListEx {

class ListExModel;

// Values of ListItem::FontType(): the font kind bits of the classic font API.
enum FontKind : qint32 {
    kvVectorFont = 0,
    kvRasterFont = 1,
    kvDeviceFont = 2,
    kvTrueTypeFont = 4,
};

// Colours are 0x00BBGGRR values (red in the low byte); -1 means "no colour". Values with the high
// bit set name a system colour, 0x80000000 | index, which follows the palette (see ToQColor()).
using OleColor = qint32;
constexpr OleColor kvNoColor = -1;

// The list's item data, beside Qt's own roles, for anyone reading ListEx::model().
// Qt::DisplayRole is the text, Qt::DecorationRole the picture, Qt::FontRole the font the row is
// drawn in, Qt::ForegroundRole the item colour, Qt::BackgroundRole the item's own background,
// Qt::ToolTipRole and Qt::AccessibleDescriptionRole the description.
enum ItemRole {
    ItemColorRole = Qt::UserRole + 1, // OleColor given as the item colour, or kvNoColor
    BackColorRole,                    // OleColor given as the item's background, or kvNoColor
    FontTypeRole,                     // FontKind of a font item; kvVectorFont for other items
    ItemDataRole,                     // the number kept for the caller
    EnabledRole,                      // bool: the item's own enabled flag
};

// One item of a list, as a handle: it names the item at a position and stays valid until items
// are added to, sorted in or removed from the list. Its members throw std::out_of_range once the
// position names no item.
class KVLISTEX_EXPORT ListItem {
public:
    // The item's text, as given to AddItem.
    QString Text() const;
    // The item colour, as given to AddItem; kvNoColor for none.
    OleColor ItemColor() const;
    // The item's own background, as given to AddItem; kvNoColor for the list's.
    OleColor BackColor() const;
    // The FontKind of an item that AddScreenFonts made; kvVectorFont for other items.
    qint32 FontType() const;
    // Sets the number FontType() returns; the list does not check it.
    void SetFontType(qint32 type);
    // The description given to AddItem; the row's tool tip and its screen-reader description.
    QString Description() const;
    // The number kept for the caller, as given to AddItem (-1 by default).
    qint32 ItemData() const;
    // A disabled item stays in the list; the user cannot select it, the program can.
    bool Enabled() const;
    void SetEnabled(bool enabled);
    // The item's own font, a copy of the list's font until changed. The reference lives as long as
    // the item; changes show after ListEx::Refresh().
    QFont &Font();

private:
    friend class ListItemCollection;
    ListItem(ListExModel *model, qint32 row)
        : m_model(model)
        , m_row(row)
    {
    }
    QVariant role(int role) const;
    ListExModel *m_model;
    qint32 m_row;
};

// The items of one list, by zero-based position; a handle, valid as long as its list.
class KVLISTEX_EXPORT ListItemCollection {
public:
    // The number of items.
    qint32 Count() const;
    // Throws std::out_of_range for a position that names no item.
    ListItem Item(qint32 index) const;

private:
    friend class ListEx;
    explicit ListItemCollection(ListExModel *model)
        : m_model(model)
    {
    }
    ListExModel *m_model;
};

// The extended list control: a single-selection list whose items carry a picture, colours, a font
// and a description, drawn in one of five styles. Members named as in the classic control
// (AddItem, ListIndex…) report a position that names no item with std::out_of_range; the Qt-named
// properties and everything Qt calls refuse bad values with a warning instead.
class KVLISTEX_EXPORT ListEx : public QListView {
    Q_OBJECT
    // Colours; an invalid colour means the palette's (backColor: Base, selBackColor: Highlight,
    // selForeColor: HighlightedText) or, for transpColor, no transparent colour.
    Q_PROPERTY(QColor backColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QColor selBackColor READ selBackColor WRITE setSelBackColor)
    Q_PROPERTY(QColor selForeColor READ selForeColor WRITE setSelForeColor)
    Q_PROPERTY(QColor transpColor READ transpColor WRITE setTranspColor)
    // Offsets and sizes in pixels, 0 to 32767; itemHeight 0 derives the height from the font.
    // Defaults: textLeft, pictLeft and pictTop 2, pictWidth and pictHeight 16, itemHeight 0.
    Q_PROPERTY(int textLeft READ textLeft WRITE setTextLeft)
    Q_PROPERTY(int pictLeft READ pictLeft WRITE setPictLeft)
    Q_PROPERTY(int pictTop READ pictTop WRITE setPictTop)
    Q_PROPERTY(int pictWidth READ pictWidth WRITE setPictWidth)
    Q_PROPERTY(int pictHeight READ pictHeight WRITE setPictHeight)
    Q_PROPERTY(int itemHeight READ itemHeight WRITE setItemHeight)
    // The drawing style, kvPictureAndText by default; sorted is false by default.
    Q_PROPERTY(ListStyle listStyle READ listStyle WRITE setListStyle)
    Q_PROPERTY(bool sorted READ isSorted WRITE setSorted)
    // The selection is no design-time setting: a list on a form has no items yet.
    Q_PROPERTY(int listIndex READ ListIndex WRITE setListIndex NOTIFY ItemSelected DESIGNABLE false)

public:
    // Drawing styles; the numbers are the values stored under the "style" key.
    enum ListStyle {
        kvText = 0,             // item text only
        kvPictureAndText = 1,   // picture box at the left, text beside it (the default)
        kvColorRectAndText = 2, // colour rectangle filled with the item colour, text beside it
        kvLargePicture = 3,     // the picture fills the whole item
        kvLargeColorRect = 4,   // the item colour fills the whole item
    };
    Q_ENUM(ListStyle)

    // Stored properties: ordered key/value pairs ("backcolor", "font", "style"…).
    using Properties = QList<std::pair<QString, QVariant>>;

    // An empty list with every setting at its default.
    explicit ListEx(QWidget *parent = nullptr);
    // A list made from stored properties; throws as ReadProperties() does.
    explicit ListEx(const Properties &stored, QWidget *parent = nullptr);
    ~ListEx() override;

    // Applies stored properties; keys not given keep their values. Throws std::invalid_argument
    // for an unknown key and std::out_of_range for a value outside its range.
    void ReadProperties(const Properties &stored);
    // The keys whose values differ from the defaults, in their fixed order; "font" always.
    Properties WriteProperties() const;

    // Adds an item. index: the position to insert at, -1 for the end; a sorted list puts every
    // item at its sorted place. font: the item's own font, or null for the list's. picture: kept
    // by the item. itemData: a number kept for the caller. Throws std::out_of_range for an index
    // outside -1…count.
    void AddItem(const QString &text, qint32 index = -1, OleColor itemColor = kvNoColor,
                 OleColor backColor = kvNoColor, const QFont *font = nullptr,
                 const QPixmap &picture = QPixmap(), qint32 itemData = -1,
                 const QString &description = QString());
    // Removes every item; selects nothing and raises no ItemSelected.
    void Clear();
    // Redraws every item after changes made through ListItem.
    void Refresh();
    // Adds one item per colour role of the palette, named and coloured; each follows its role when
    // the palette changes.
    void AddSystemColors();
    // Adds one item per installed font family with its kind, each drawn in its own face where
    // that face can draw the family's name.
    void AddScreenFonts();

    // Position of the first item whose text equals (exact) or starts with the text, ignoring
    // case; -1 when none does.
    qint32 FindItem(const QString &text, bool exact = false) const;
    // As above, with the text the box holds.
    qint32 FindItem(const QLineEdit &box, bool exact = false) const;

    // The selected position, -1 for none.
    qint32 ListIndex() const;
    // Selects the item at index (-1 selects nothing), disabled items included, and raises
    // ItemSelected when the selection changes to an item. Throws std::out_of_range outside
    // -1…count-1.
    void SetListIndex(qint32 index);
    // As SetListIndex(), but refuses a bad index with a warning.
    void setListIndex(int index);

    // The drawing style as its stored number; SetStyle throws std::out_of_range outside 0…4.
    qint32 Style() const;
    void SetStyle(qint32 style);
    // The drawing style as the enum; setListStyle refuses a value outside it with a warning.
    ListStyle listStyle() const;
    void setListStyle(ListStyle style);

    // The list's items, by position.
    ListItemCollection ListItems() const;

    // Shows the control's modal About box.
    void AboutBox();

    // The Qt properties' accessors (see the properties above). Pixel setters refuse a value
    // outside 0…32767 with a warning and keep the old one.
    QColor backColor() const;
    void setBackColor(const QColor &color);
    QColor selBackColor() const;
    void setSelBackColor(const QColor &color);
    QColor selForeColor() const;
    void setSelForeColor(const QColor &color);
    QColor transpColor() const;
    void setTranspColor(const QColor &color);
    int textLeft() const;
    void setTextLeft(int px);
    int pictLeft() const;
    void setPictLeft(int px);
    int pictTop() const;
    void setPictTop(int px);
    int pictWidth() const;
    void setPictWidth(int px);
    int pictHeight() const;
    void setPictHeight(int px);
    int itemHeight() const;
    void setItemHeight(int px);
    // A sorted list keeps its items in case-insensitive order, equal texts in the order added.
    bool isSorted() const;
    void setSorted(bool sorted);

    // Only the list's own model is shown; another is refused with a warning.
    void setModel(QAbstractItemModel *model) override;

    // The library's version, KVLISTEX_VERSION_STRING of <KvListEx/kvlistex_version.h> when it was built.
    static QString Version();

signals:
    // An item has become the selection, by the user or by SetListIndex.
    void ItemSelected();

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;
    QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex &index,
                                                         const QEvent *event = nullptr) const override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    Q_DISABLE_COPY(ListEx)
    friend class ListExPrivate;
    std::unique_ptr<class ListExPrivate> const d;
};

// The QColor for a 0x00BBGGRR value or a system colour (high bit set); invalid for -1.
KVLISTEX_EXPORT QColor ToQColor(OleColor color, const QPalette &palette);
// The 0x00BBGGRR value of a colour (alpha dropped).
KVLISTEX_EXPORT OleColor FromQColor(const QColor &color);

} // namespace KvListEx
