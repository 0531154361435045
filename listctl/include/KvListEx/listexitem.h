// SPDX-License-Identifier: BSD-3-Clause
// ListExItem: one item of a list, as a value.
#pragma once

#include <KvListEx/kvlistex_export.h>

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QPixmap>
#include <QString>
#include <QVariant>

#include <optional>

namespace KvListEx {

class ListExModelPrivate;

/// The kind of a font family, as font lists report it (the bits of the classic font API).
enum FontKind : qint32 {
    kvVectorFont = 0,   ///< an outline font of another format (Type 1, CID-keyed…)
    kvRasterFont = 1,   ///< a bitmap font
    kvDeviceFont = 2,   ///< a font of an output device
    kvTrueTypeFont = 4, ///< a TrueType or OpenType font
};

/// One item of a ListEx or ListExModel, as a value: copying it copies the data, and changing a
/// copy changes nothing in a list until it is given back with ListEx::setItem().
///
/// Every field is optional: an item made from a text alone is drawn in the list's font and
/// colours, without a picture.
class KVLISTEX_EXPORT ListExItem {
public:
    /// An item with an empty text and every other field unset.
    ListExItem() = default;
    /// An item with this text and every other field unset.
    explicit ListExItem(const QString &text)
        : m_text(text)
    {
    }

    /// The text shown in the row (Qt::DisplayRole).
    QString text() const { return m_text; }
    /// Sets the text.
    void setText(const QString &text) { m_text = text; }

    /// The picture (Qt::DecorationRole); a null pixmap for none.
    QPixmap picture() const { return m_picture.value_or(QPixmap()); }
    /// Sets the picture; pixmaps share their data, so many items may show one picture cheaply.
    void setPicture(const QPixmap &picture)
    {
        if (picture.isNull())
            m_picture.reset();
        else
            m_picture = picture;
    }

    /// The item colour (Qt::ForegroundRole): the text colour, or the swatch colour in the colour
    /// styles. Invalid for none. An item that follows a palette role reports that role's colour.
    QColor color() const { return m_color; }
    /// Sets the item colour; an invalid colour means none. Stops following a palette role.
    void setColor(const QColor &color)
    {
        m_color = color;
        m_colorRole = QPalette::NoRole;
    }

    /// The palette role the item colour follows, QPalette::NoRole for none.
    QPalette::ColorRole colorRole() const { return m_colorRole; }
    /// Makes the item colour follow a role of the list's palette (QPalette::NoRole: stop).
    void setColorRole(QPalette::ColorRole role) { m_colorRole = role; }

    /// The item's own background (Qt::BackgroundRole); invalid for the list's.
    QColor background() const { return m_background; }
    /// Sets the item's own background; an invalid colour means the list's.
    void setBackground(const QColor &color) { m_background = color; }

    /// Whether the item has a font of its own; without one it is drawn in the list's font.
    bool hasFont() const { return m_font.has_value(); }
    /// The item's own font (Qt::FontRole); the default QFont when it has none.
    QFont font() const { return m_font.value_or(QFont()); }
    /// Gives the item a font of its own.
    void setFont(const QFont &font) { m_font = font; }
    /// Takes the item's own font away: it is drawn in the list's font again.
    void unsetFont() { m_font.reset(); }

    /// Whether the item stands for a font family. Such an item is drawn in its own font only
    /// where that face can draw the item's text.
    bool hasFontKind() const { return m_hasFontKind; }
    /// The kind of the font family the item stands for (a FontKind value); 0 when it has none.
    qint32 fontKind() const { return m_fontKind; }
    /// Makes the item stand for a font family of this kind.
    void setFontKind(qint32 kind)
    {
        m_fontKind = kind;
        m_hasFontKind = true;
    }
    /// Makes the item stand for no font family.
    void unsetFontKind()
    {
        m_fontKind = 0;
        m_hasFontKind = false;
    }

    /// The description: the row's tool tip and what a screen reader says of it.
    QString description() const { return m_description; }
    /// Sets the description.
    void setDescription(const QString &description) { m_description = description; }

    /// Data kept for the program (ListExModel::ItemDataRole); invalid by default.
    QVariant data() const { return m_data; }
    /// Sets the data kept for the program.
    void setData(const QVariant &data) { m_data = data; }

    /// Whether the user can select the item; a disabled item stays in the list, dimmed.
    bool isEnabled() const { return m_enabled; }
    /// Enables or disables the item.
    void setEnabled(bool enabled) { m_enabled = enabled; }

    /// Items are equal when every field is.
    friend bool operator==(const ListExItem &a, const ListExItem &b)
    {
        return a.m_text == b.m_text && a.pictureKey() == b.pictureKey() && a.m_color == b.m_color &&
               a.m_colorRole == b.m_colorRole && a.m_background == b.m_background && a.m_font == b.m_font &&
               a.m_hasFontKind == b.m_hasFontKind && a.m_fontKind == b.m_fontKind &&
               a.m_description == b.m_description && a.m_data == b.m_data && a.m_enabled == b.m_enabled;
    }
    /// Items differ when any field does.
    friend bool operator!=(const ListExItem &a, const ListExItem &b) { return !(a == b); }

private:
    friend class ListExModelPrivate; // stores items field by field, without copies
    qint64 pictureKey() const { return m_picture ? m_picture->cacheKey() : 0; }
    QString m_text;
    std::optional<QPixmap> m_picture; // not a QPixmap: even a null one is allocated
    QColor m_color;
    QColor m_background;
    std::optional<QFont> m_font; // not a QFont: making one copies the application font
    QString m_description;
    QVariant m_data;
    QPalette::ColorRole m_colorRole = QPalette::NoRole;
    qint32 m_fontKind = 0;
    bool m_hasFontKind = false;
    bool m_enabled = true;
};

} // namespace KvListEx

Q_DECLARE_METATYPE(KvListEx::ListExItem)
