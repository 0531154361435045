// SPDX-License-Identifier: BSD-3-Clause
#include "listexdelegate_p.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace KvListEx {

namespace {

QColor roleColor(const QModelIndex &index, int role)
{
    const QVariant value = index.data(role);
    return value.isValid() ? value.value<QBrush>().color() : QColor();
}

} // namespace

QSize ListExDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &) const
{
    const int height = m_look.itemHeight > 0 ? m_look.itemHeight : option.fontMetrics.height() + kFontItemGap;
    return QSize(1, height); // rows take the width of the list
}

QPixmap ListExDelegate::transparent(const QPixmap &picture, const QPalette &palette) const
{
    if (m_look.transpColor == kvNoColor)
        return picture;
    const auto found = m_transparent.constFind(picture.cacheKey());
    if (found != m_transparent.cend())
        return *found;
    QPixmap masked = picture;
    masked.setMask(picture.createMaskFromColor(ToQColor(m_look.transpColor, palette), Qt::MaskInColor));
    m_transparent.insert(picture.cacheKey(), masked);
    return masked;
}

void ListExDelegate::drawPicture(QPainter *painter, const QRect &box, const QPixmap &picture,
                                 const QPalette &palette, bool dim) const
{
    if (picture.isNull())
        return;
    const QPixmap shown = transparent(picture, palette);
    // Whole-number scales stay sharp: pixel pictures are meant to look like pixels.
    const QSizeF size = shown.deviceIndependentSize();
    const bool whole =
        box.width() % qMax(1, int(size.width())) == 0 && box.height() % qMax(1, int(size.height())) == 0;
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform, !whole);
    if (dim)
        painter->setOpacity(0.35);
    painter->drawPixmap(box, shown);
    painter->restore();
}

void ListExDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                           const QModelIndex &index) const
{
    const ListLook &look = m_look;
    const QPalette &pal = option.palette;
    const bool enabled = option.state & QStyle::State_Enabled;
    const bool selected = option.state & QStyle::State_Selected;
    const bool colourStyle =
        look.style == ListEx::kvColorRectAndText || look.style == ListEx::kvLargeColorRect;
    const QRect r = option.rect;

    // The ground: the selection colour, else the item's own background, else the list's.
    QColor ground;
    bool groundStored;
    const QColor itemGround = roleColor(index, Qt::BackgroundRole);
    if (selected) {
        ground = !enabled && isSystemColor(look.selBackColor)
                     ? pal.color(QPalette::Disabled, QPalette::Highlight)
                     : ToQColor(look.selBackColor, pal);
        groundStored = !isSystemColor(look.selBackColor);
    } else if (itemGround.isValid()) {
        ground = itemGround;
        groundStored = !isSystemColor(index.data(BackColorRole).toInt());
    } else {
        ground = ToQColor(look.backColor, pal);
        groundStored = !isSystemColor(look.backColor);
    }

    // The text: the item colour where the style shows it in the text, else the selection's text
    // colour, else the palette's. Where the ground is a stored colour and the text colour comes
    // from the palette, it is chosen to be read on that ground.
    const QColor itemColour = roleColor(index, Qt::ForegroundRole);
    QColor text;
    bool textStored;
    if (itemColour.isValid() && !colourStyle) {
        text = itemColour;
        textStored = true;
    } else if (selected) {
        text = ToQColor(look.selForeColor, pal);
        textStored = !isSystemColor(look.selForeColor);
    } else {
        text = pal.color(QPalette::Text);
        textStored = false;
    }
    if (groundStored && !textStored)
        text = readableOn(text, ground);
    if (!enabled)
        text = dimmedOn(text, ground);

    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    QStyleOptionViewItem panel = option;
    panel.state &= ~QStyle::State_Selected; // the ground above already shows the selection
    panel.backgroundBrush = ground;
    style->drawPrimitive(QStyle::PE_PanelItemViewItem, &panel, painter, widget);

    painter->save();
    const QRect box(r.left() + look.pictLeft, r.top() + look.pictTop, look.pictWidth, look.pictHeight);
    const QRect large = r.adjusted(kLargeMargin, kLargeMargin, -kLargeMargin, -kLargeMargin);
    const QPixmap picture = index.data(Qt::DecorationRole).value<QPixmap>();
    auto swatch = [&](const QRect &area) {
        if (itemColour.isValid()) {
            QColor fill = itemColour;
            if (!enabled)
                fill.setAlphaF(0.35f);
            painter->fillRect(area, fill);
        }
        painter->setPen(QPen(text, 0)); // the outline contrasts with the ground, like the text
        painter->drawRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5));
    };
    int textX = r.left() + look.textLeft;
    switch (look.style) {
    case ListEx::kvText:
        break;
    case ListEx::kvColorRectAndText:
        swatch(box);
        textX = box.right() + 1 + look.textLeft;
        break;
    case ListEx::kvLargeColorRect:
        swatch(large);
        textX = -1;
        break;
    case ListEx::kvLargePicture:
        drawPicture(painter, large, picture, pal, !enabled);
        textX = -1;
        break;
    case ListEx::kvPictureAndText:
    default:
        drawPicture(painter, box, picture, pal, !enabled);
        textX = box.right() + 1 + look.textLeft;
        break;
    }

    if (textX >= 0) {
        const QVariant own = index.data(Qt::FontRole);
        const QFont font = own.isValid() ? own.value<QFont>().resolve(option.font) : option.font;
        const QRect textRect(textX, r.top(), qMax(0, r.right() - textX), r.height());
        const QString shown = QFontMetrics(font).elidedText(index.data(Qt::DisplayRole).toString(),
                                                            Qt::ElideRight, textRect.width());
        painter->setFont(font);
        painter->setPen(text);
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    }
    painter->restore();

    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = r;
        focus.backgroundColor = ground;
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
}

} // namespace KvListEx
