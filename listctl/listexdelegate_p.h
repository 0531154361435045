// SPDX-License-Identifier: BSD-3-Clause
// Draws the items of a ListEx in its five styles, from the index's roles and the style option.
#pragma once

#include "colors_p.h"
#include "listex.h"

#include <QHash>
#include <QStyledItemDelegate>

namespace KvListEx {

// How a list draws its items: the stored properties' values, in their own units.
struct ListLook {
    OleColor backColor = kSysWindow;
    OleColor selBackColor = kSysHighlight;
    OleColor selForeColor = kSysHighlightText;
    OleColor transpColor = kvNoColor;
    qint32 textLeft = 2;
    qint32 pictLeft = 2;
    qint32 pictTop = 2;
    qint32 pictHeight = 16;
    qint32 pictWidth = 16;
    qint32 itemHeight = 0; // 0: from the font
    qint32 style = ListEx::kvPictureAndText;
};

class ListExDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    static constexpr int kLargeMargin = 3; // around the large swatch and picture
    static constexpr int kFontItemGap = 4; // font height to item height, when derived

    using QStyledItemDelegate::QStyledItemDelegate;

    const ListLook &look() const { return m_look; }
    // Changing the transparent colour forgets the pictures made transparent with the old one.
    ListLook &look() { return m_look; }
    void forgetPictures() { m_transparent.clear(); }

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    // Every item has the list's one height; no item's font is measured.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    QPixmap transparent(const QPixmap &picture, const QPalette &palette) const;
    void drawPicture(QPainter *painter, const QRect &box, const QPixmap &picture, const QPalette &palette,
                     bool dim) const;

    ListLook m_look;
    mutable QHash<qint64, QPixmap> m_transparent; // by the given picture's cache key
};

} // namespace KvListEx
