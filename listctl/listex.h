// ListEx: an extended list box with per-item pictures, colours, fonts and descriptions.
#pragma once

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
class ListExDelegate;
class ListEx;

// Drawing styles; the numbers are the values stored under the "style" key.
enum ListStyle : qint32 {
    kvText = 0,             // item text only
    kvPictureAndText = 1,   // picture box at the left, text beside it (the default)
    kvColorRectAndText = 2, // colour rectangle filled with the item colour, text beside it
    kvLargePicture = 3,     // the picture fills the whole item
    kvLargeColorRect = 4,   // the item colour fills the whole item
};

// Values of ListItem::FontType(): the font kind bits of the classic font API.
enum FontKind : qint32 {
    kvVectorFont = 0,
    kvRasterFont = 1,
    kvDeviceFont = 2,
    kvTrueTypeFont = 4,
};

// Colours are 0x00BBGGRR values (red in the low byte); -1 means "no colour".
// Values with the high bit set name a system colour: 0x80000000 | index (see SystemColor()).
using OleColor = qint32;
constexpr OleColor kvNoColor = -1;

// One item of a list. Obtained by reference from ListItemCollection::Item(); the reference stays
// valid until items are added to or removed from the list. Changes show after ListEx::Refresh().
class ListItem {
public:
    ListItem() = default;
    ListItem(const ListItem &) = delete;
    ListItem &operator=(const ListItem &) = delete;
    ListItem(ListItem &&) noexcept;
    ListItem &operator=(ListItem &&) noexcept;
    ~ListItem();

    QString Text() const;
    OleColor ItemColor() const { return m_itemColor; }
    OleColor BackColor() const { return m_backColor; }
    qint32 FontType() const;
    // Font lists set the kind; other lists may use it for their own font items.
    void SetFontType(qint32 type);
    QString Description() const;
    qint32 ItemData() const { return m_itemData; }
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled) { m_enabled = enabled; }
    // The item's own font; until first asked for it is a copy of the list's font.
    QFont &Font();
    bool HasOwnFont() const;

private:
    friend class ListExModel;
    friend class ListExDelegate;
    friend class ListEx;
    // What few items have lives apart, so that a long list of plain items stays small.
    struct Extra;
    Extra &extra();

    std::unique_ptr<Extra> m_extra;
    const ListExModel *m_model = nullptr;
    quint32 m_textAt = 0; // the text is kept by the model, with every other item's
    quint32 m_textSize = 0;
    OleColor m_itemColor = kvNoColor;
    OleColor m_backColor = kvNoColor;
    qint32 m_itemData = -1;
    qint32 m_picture : 31 = -1; // index into the model's picture table
    quint32 m_enabled : 1 = 1;
};

// The items of one list, by zero-based position.
class ListItemCollection {
public:
    explicit ListItemCollection(ListExModel *model)
        : m_model(model)
    {
    }
    qint32 Count() const;
    // Throws std::out_of_range for a position that names no item.
    ListItem &Item(qint32 index);
    const ListItem &Item(qint32 index) const;

private:
    ListExModel *m_model;
};

// The extended list control. Single selection; ListIndex() is the selected position or -1.
class ListEx : public QListView {
    Q_OBJECT
    Q_PROPERTY(qint32 ListIndex READ ListIndex WRITE SetListIndex NOTIFY ItemSelected)
    Q_PROPERTY(qint32 Style READ Style WRITE SetStyle)

public:
    // Stored properties: ordered key/value pairs ("backcolor", "font", "style"…).
    using Properties = QList<std::pair<QString, QVariant>>;

    explicit ListEx(QWidget *parent = nullptr);
    ListEx(const Properties &stored, QWidget *parent = nullptr);
    ~ListEx() override;

    // Applies stored properties; keys not given keep their current values.
    void ReadProperties(const Properties &stored);
    // The keys whose values differ from the defaults, in the canonical order; "font" always.
    Properties WriteProperties() const;

    // Adds an item. index: position to insert at, -1 for the end (or the sorted place);
    // font: the item's own font, or null for the list's; itemData: a value kept for the caller.
    void AddItem(const QString &text, qint32 index = -1, OleColor itemColor = kvNoColor,
                 OleColor backColor = kvNoColor, const QFont *font = nullptr,
                 const QPixmap &picture = QPixmap(), qint32 itemData = -1,
                 const QString &description = QString());
    // Removes every item; raises no ItemSelected.
    void Clear();
    // Redraws every item after changes made through ListItem.
    void Refresh();
    // Adds one item per colour role of the current palette, named and coloured.
    void AddSystemColors();
    // Adds one item per installed font family, sorted, each drawn in its own face.
    void AddScreenFonts();

    // Position of the first item whose text equals (exact) or starts with the text,
    // case-insensitively; -1 when none does. An empty text matches an empty item text exactly,
    // and any first item as a prefix.
    qint32 FindItem(const QString &text, bool exact = false) const;
    qint32 FindItem(const QLineEdit &box, bool exact = false) const;

    qint32 ListIndex() const;
    // Selects the item at index (-1 selects nothing); throws std::out_of_range outside -1…count-1.
    void SetListIndex(qint32 index);

    qint32 Style() const;
    void SetStyle(qint32 style);

    ListItemCollection &ListItems();

    // Shows the control's modal About box.
    void AboutBox();

    // Appearance, in pixels and 0x00BBGGRR colours (the stored properties' own units).
    OleColor BackColor() const;
    void SetBackColor(OleColor color);
    OleColor SelBackColor() const;
    void SetSelBackColor(OleColor color);
    OleColor SelForeColor() const;
    void SetSelForeColor(OleColor color);
    OleColor TranspColor() const;
    void SetTranspColor(OleColor color);
    qint32 TextLeft() const;
    void SetTextLeft(qint32 px);
    qint32 PictLeft() const;
    void SetPictLeft(qint32 px);
    qint32 PictTop() const;
    void SetPictTop(qint32 px);
    qint32 PictWidth() const;
    void SetPictWidth(qint32 px);
    qint32 PictHeight() const;
    void SetPictHeight(qint32 px);
    qint32 ItemHeight() const; // 0: derived from the list's font
    void SetItemHeight(qint32 px);
    bool Sorted() const;
    void SetSorted(bool sorted);

    static QString Version();

signals:
    // An item has become the selection (by the user or by SetListIndex).
    void ItemSelected();

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void selectionChanged(const QItemSelection &selected, const QItemSelection &deselected) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    void changeEvent(QEvent *event) override;
    bool event(QEvent *event) override;

private:
    void selectRow(qint32 row, bool notify);
    void applyColors();
    void refreshSystemColors();
    void loadWantedFaces();
    struct Private;
    std::unique_ptr<Private> d;
};

// The QColor for a 0x00BBGGRR value or a system colour (high bit set); invalid for -1.
QColor ToQColor(OleColor color, const QPalette &palette);
// The 0x00BBGGRR value of a colour (alpha dropped).
OleColor FromQColor(const QColor &color);

} // namespace KvListEx
