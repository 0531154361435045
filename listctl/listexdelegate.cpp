// SPDX-License-Identifier: BSD-3-Clause
#include "listexdelegate.h"

#include "contrast_p.h"
#include "listexmodel.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOptionFocusRect>

#include <limits>

namespace KvListEx {

namespace {

constexpr int kLargeMargin = 3; // around the large swatch and picture
constexpr int kFontItemGap = 4; // font height to row height, when derived
constexpr int kMaxRowHeight = 32767;

QColor roleColor(const QModelIndex &index, int role)
{
    const QVariant value = index.data(role);
    if (value.metaType() == QMetaType::fromType<QColor>())
        return value.value<QColor>();
    return value.isValid() ? value.value<QBrush>().color() : QColor();
}

} // namespace

ListExDelegate::ListExDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

ListExDelegate::~ListExDelegate() = default;

void ListExDelegate::setAppearance(const Appearance &appearance)
{
    if (appearance == m_appearance)
        return;
    if (appearance.transparentColor != m_appearance.transparentColor)
        m_transparent.clear();
    const bool heightChanged = appearance.itemHeight != m_appearance.itemHeight;
    m_appearance = appearance;
    if (heightChanged)
        emit sizeHintChanged(QModelIndex());
}

QSize ListExDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    int height =
        m_appearance.itemHeight > 0 ? m_appearance.itemHeight : option.fontMetrics.height() + kFontItemGap;
    height = qBound(1, height, kMaxRowHeight);
    // Views place rows at int positions: the rows together must fit in them, or the last ones
    // could not be reached.
    if (const QAbstractItemModel *model = index.model()) {
        const int rows = qMax(1, model->rowCount(index.parent()));
        height = qMin(height, qMax(1, (std::numeric_limits<int>::max() / 2) / rows));
    }
    return QSize(1, height); // rows take the width of the list
}

QPixmap ListExDelegate::transparent(const QPixmap &picture) const
{
    if (!m_appearance.transparentColor.isValid())
        return picture;
    const auto found = m_transparent.constFind(picture.cacheKey());
    if (found != m_transparent.cend())
        return *found;
    QPixmap masked = picture;
    masked.setMask(picture.createMaskFromColor(m_appearance.transparentColor, Qt::MaskInColor));
    m_transparent.insert(picture.cacheKey(), masked);
    return masked;
}

void ListExDelegate::drawPicture(QPainter *painter, const QRect &box, const QPixmap &picture, bool dim) const
{
    if (picture.isNull() || box.isEmpty())
        return;
    const QPixmap shown = transparent(picture);
    // Whole-number scales stay sharp: pixel pictures are meant to look like pixels.
    const QSizeF size = shown.deviceIndependentSize();
    const int w = qMax(1, int(size.width())), h = qMax(1, int(size.height()));
    const bool whole = box.width() % w == 0 && box.height() % h == 0;
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
    const Appearance &look = m_appearance;
    const QPalette &pal = option.palette;
    const bool enabled = option.state & QStyle::State_Enabled;
    const bool selected = option.state & QStyle::State_Selected;
    const bool colourStyle = look.style == ListEx::ColorRectAndText || look.style == ListEx::LargeColorRect;
    const QRect r = option.rect;

    // The ground: the selection colour, else the item's own background, else the list's.
    QColor ground;
    bool groundStored;
    const QColor itemGround = roleColor(index, Qt::BackgroundRole);
    if (selected) {
        groundStored = look.selectionBackground.isValid();
        ground = groundStored
                     ? look.selectionBackground
                     : pal.color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::Highlight);
    } else if (itemGround.isValid()) {
        ground = itemGround;
        groundStored = true;
    } else {
        groundStored = look.background.isValid();
        ground = groundStored ? look.background : pal.color(QPalette::Base);
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
        textStored = look.selectionText.isValid();
        text = textStored ? look.selectionText : pal.color(QPalette::HighlightedText);
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
    case ListEx::Text:
        break;
    case ListEx::ColorRectAndText:
        swatch(box);
        textX = box.right() + 1 + look.textLeft;
        break;
    case ListEx::LargeColorRect:
        swatch(large);
        textX = -1;
        break;
    case ListEx::LargePicture:
        drawPicture(painter, large, picture, !enabled);
        textX = -1;
        break;
    case ListEx::PictureAndText:
    default:
        drawPicture(painter, box, picture, !enabled);
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
