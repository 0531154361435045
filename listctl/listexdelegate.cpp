#include "listexdelegate_p.h"

#include "listexmodel_p.h"
#include "listsettings_p.h"

#include <QFontDatabase>
#include <QPainter>
#include <QStyleOptionFocusRect>

namespace KvListEx {

ListExDelegate::ListExDelegate(const ListEx *view, const ListExModel *model, const ListSettings *settings,
                               const qint32 *listIndex, QObject *parent)
    : QStyledItemDelegate(parent)
    , m_view(view)
    , m_model(model)
    , m_settings(settings)
    , m_listIndex(listIndex)
{
}

int ListExDelegate::itemHeight() const
{
    if (m_settings->itemHeight > 0)
        return m_settings->itemHeight;
    return QFontMetrics(m_settings->font).height() + kFontItemGap;
}

QSize ListExDelegate::sizeHint(const QStyleOptionViewItem &, const QModelIndex &) const
{
    return QSize(1, itemHeight());
}

QPixmap ListExDelegate::transparent(const QPixmap &picture) const
{
    if (m_settings->transpColor == kvNoColor)
        return picture;
    const auto found = m_masked.constFind(picture.cacheKey());
    if (found != m_masked.cend())
        return *found;
    QPixmap masked = picture;
    masked.setMask(
        picture.createMaskFromColor(ToQColor(m_settings->transpColor, m_view->palette()), Qt::MaskInColor));
    m_masked.insert(picture.cacheKey(), masked);
    return masked;
}

bool ListExDelegate::drawsOwnName(const ListItem &item) const
{
    const QFont own = m_model->font(item);
    // Symbol and picture fonts map letters to signs: only a Latin face shows its name.
    bool draws = QFontDatabase::writingSystems(own.family()).contains(QFontDatabase::Latin);
    const QFontMetrics fm(own);
    for (QChar c : m_model->text(item))
        draws = draws && (c.isSpace() || fm.inFont(c));
    return draws;
}

// An item's own face once it is known to draw the item's text; until then (loading a face takes
// a while) the list's font, and the row is queued so the face is looked at after this paint.
QFont ListExDelegate::drawingFont(const ListItem &item, int row) const
{
    if (!item.HasOwnFont())
        return m_settings->font;
    qint8 &draws = item.m_extra->drawsOwnName;
    if (draws < 0) {
        if (m_faceWanted) {
            m_faceWanted(row);
            return m_settings->font;
        }
        draws = drawsOwnName(item) ? 1 : 0;
    }
    return draws ? m_model->font(item) : m_settings->font;
}

void ListExDelegate::drawPicture(QPainter *painter, const QRect &box, const ListItem &item, bool dim) const
{
    const QPixmap picture = m_model->picture(item);
    if (picture.isNull())
        return;
    const QPixmap shown = transparent(picture);
    // Whole-number scales stay sharp: pixel pictures are meant to look like pixels.
    const QSizeF size = shown.deviceIndependentSize();
    const bool whole = int(box.width()) % qMax(1, int(size.width())) == 0 &&
                       int(box.height()) % qMax(1, int(size.height())) == 0;
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
    const ListItem &item = m_model->item(index.row());
    const ListSettings &s = *m_settings;
    const QPalette &pal = m_view->palette();
    const bool listEnabled = m_view->isEnabled();
    const bool enabled = listEnabled && item.Enabled();
    const bool selected = index.row() == *m_listIndex;
    const QRect r = option.rect;

    QColor back = ToQColor(item.BackColor() != kvNoColor ? item.BackColor() : s.backColor, pal);
    QColor fore = pal.color(QPalette::Active, QPalette::Text);
    if (selected) {
        back =
            listEnabled ? ToQColor(s.selBackColor, pal) : pal.color(QPalette::Disabled, QPalette::Highlight);
        fore = ToQColor(s.selForeColor, pal);
    }
    const bool colourStyle = s.style == kvColorRectAndText || s.style == kvLargeColorRect;
    if (item.ItemColor() != kvNoColor && !colourStyle)
        fore = ToQColor(item.ItemColor(), pal); // the item's colour stays visible when selected
    if (!enabled)
        fore = pal.color(QPalette::Disabled, QPalette::Text);

    painter->save();
    painter->fillRect(r, back);

    const QRect box(r.left() + s.pictLeft, r.top() + s.pictTop, s.pictWidth, s.pictHeight);
    int textX = r.left() + s.textLeft;
    const QColor outline =
        enabled ? pal.color(QPalette::Active, QPalette::Text) : pal.color(QPalette::Disabled, QPalette::Text);
    auto swatch = [&](const QRect &area) {
        const QColor fill = ToQColor(item.ItemColor(), pal);
        if (fill.isValid())
            painter->fillRect(
                area, enabled ? fill : QColor::fromRgbF(fill.redF(), fill.greenF(), fill.blueF(), 0.35f));
        painter->setPen(QPen(outline, 0));
        painter->drawRect(QRectF(area).adjusted(0.5, 0.5, -0.5, -0.5));
    };
    switch (s.style) {
    case kvText:
        break;
    case kvColorRectAndText:
        swatch(box);
        textX = box.right() + 1 + s.textLeft;
        break;
    case kvLargeColorRect:
        swatch(r.adjusted(kLargeMargin, kLargeMargin, -kLargeMargin, -kLargeMargin));
        textX = -1;
        break;
    case kvLargePicture:
        drawPicture(painter, r.adjusted(kLargeMargin, kLargeMargin, -kLargeMargin, -kLargeMargin), item,
                    !enabled);
        textX = -1;
        break;
    case kvPictureAndText:
    default:
        drawPicture(painter, box, item, !enabled);
        textX = box.right() + 1 + s.textLeft;
        break;
    }

    if (textX >= 0) {
        const QFont font = drawingFont(item, index.row());
        painter->setFont(font);
        painter->setPen(fore);
        const QRect textRect(textX, r.top(), qMax(0, r.right() - textX), r.height());
        const QString text = QFontMetrics(font).elidedText(item.Text(), Qt::ElideRight, textRect.width());
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }

    if ((option.state & QStyle::State_HasFocus) && m_view->hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(m_view);
        focus.rect = r;
        // Styles show the frame only after keyboard use; the view's option says whether.
        focus.state = (focus.state & ~QStyle::State_KeyboardFocusChange) |
                      (option.state & QStyle::State_KeyboardFocusChange);
        focus.backgroundColor = back;
        m_view->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, m_view);
    }
    painter->restore();
}

} // namespace KvListEx
