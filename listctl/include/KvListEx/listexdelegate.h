// SPDX-License-Identifier: BSD-3-Clause
// ListExDelegate: draws list items in the five ListEx styles, from the roles of any model.
#pragma once

#include <KvListEx/kvlistex_export.h>
#include <KvListEx/listex.h>

#include <QCache>
#include <QColor>
#include <QFont>
#include <QRawFont>
#include <QStyledItemDelegate>

namespace KvListEx {

/// Draws the rows of a list in one of the ListEx::ItemStyle styles, from the index's roles
/// (those of ListExModel) and the style option alone, so it can draw any model that provides
/// them on any QListView. The row's ground, selection, hover and alternate colour are drawn by
/// the view's style with the row's true state, so style sheet rules for items apply; the
/// layout mirrors under Qt::RightToLeft. Every row is one height, the appearance's itemHeight or
/// the font's height and a small gap, unless its own font needs more.
class KVLISTEX_EXPORT ListExDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    /// How the rows look. Colours left invalid follow the view's palette (background: Base,
    /// selectionBackground: Highlight, selectionText: HighlightedText) or, for
    /// transparentColor, mean no transparent colour. Sizes are in pixels.
    struct Appearance {
        ListEx::ItemStyle style = ListEx::PictureAndText; ///< how items are drawn
        QColor background;          ///< the ground of rows without a background of their own
        QColor selectionBackground; ///< the ground of the selected row
        QColor selectionText;       ///< the selected row's text, where no item colour reads 4.5:1 on it
        QColor transparentColor;    ///< pixels of pictures in this colour are not drawn
        int textLeft = 2;           ///< from the picture box (or the row's edge) to the text
        int pictLeft = 2;           ///< from the row's edge to the picture box
        int pictTop = 2;            ///< from the row's top to the picture box
        int pictWidth = 16;         ///< the picture box's width
        int pictHeight = 16;        ///< the picture box's height
        int itemHeight = 0;         ///< the row height; 0 derives it from the font

        /// Appearances are equal when every field is.
        friend bool operator==(const Appearance &, const Appearance &) = default;
    };

    /// A delegate with the default appearance.
    explicit ListExDelegate(QObject *parent = nullptr);
    ~ListExDelegate() override;

    /// The appearance the rows are drawn with.
    const Appearance &appearance() const { return m_appearance; }
    /// Sets it; views using the delegate are told when row heights change (sizeHintChanged).
    /// Sizes are brought into 0…ListEx::MaxPixels, and a style out of range is PictureAndText.
    void setAppearance(const Appearance &appearance);

    /// Draws one row: ground (through the style), picture or swatch, text in the item's font and
    /// colour, focus frame. Text in the view's font whose missing characters no installed face
    /// has is drawn in that font's face alone, showing its missing-glyph boxes as Qt would, without
    /// Qt's search of every fallback face for them.
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    /// The row's size: one width (the view's), the appearance's height, or more where the
    /// item's own font needs it.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    QPixmap fitted(const QPixmap &picture, const QSize &deviceSize) const;
    void drawPicture(QPainter *painter, const QRect &box, const QPixmap &picture, bool dim) const;

    QFont listFontFor(const QFont &font, QStringView text) const;

    Appearance m_appearance;
    // The face of the list's font, asked whether it has a text's characters.
    mutable QFont m_faceOf;
    mutable QRawFont m_face;
    // Pictures scaled to their box and masked, by picture, size and transparent colour.
    mutable QCache<QString, QPixmap> m_fitted;
};

} // namespace KvListEx
