// SPDX-License-Identifier: BSD-3-Clause
#include "listexdelegate.h"

#include "contrast_p.h"
#include "listexmodel.h"
#include "listexmodel_p.h"

#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QRawFont>
#include <QStringView>
#include <QStyleOptionFocusRect>
#include <QTextOption>

#include <limits>

namespace KvListEx {

namespace {

constexpr int kLargeMargin = 3; // around the large swatch and picture
constexpr int kFontItemGap = 4; // font height to row height, when derived
constexpr int kMaxRowHeight = 32767;
constexpr qint64 kPictureCacheKiB = 64 * 1024;
// No glyph is narrower than this share of a pixel in text meant to be read: the characters
// past width / kNarrowestGlyph can never show, whatever the text's length.
constexpr double kNarrowestGlyph = 0.25;

QColor roleColor(const QModelIndex &index, int role)
{
    const QVariant value = index.data(role);
    if (value.metaType() == QMetaType::fromType<QColor>())
        return value.value<QColor>();
    return value.isValid() ? value.value<QBrush>().color() : QColor();
}

// An alternate row's ground beside a list ground of the program's own: a shade off it, darker
// on light grounds and lighter on dark ones, as palettes make AlternateBase from Base.
QColor alternateOf(const QColor &ground)
{
    return ground.lightnessF() > 0.5f ? ground.darker(106) : ground.lighter(125);
}

// The ground a style sheet gives a row, read from the row's panel drawn apart; invalid where the
// sheet draws none there. The text is chosen to be read on it, as on any other ground.
QColor sheetGround(const QStyle *style, const QStyleOptionViewItem &panel, const QWidget *widget,
                   const QColor &under)
{
    if (panel.rect.isEmpty())
        return {};
    QImage image(panel.rect.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.translate(-panel.rect.topLeft());
    style->drawControl(QStyle::CE_ItemViewItem, &panel, &painter, widget);
    painter.end();
    const QColor drawn = image.pixelColor(image.width() / 2, image.height() / 2);
    if (drawn.alpha() == 0)
        return {};
    const float a = drawn.alphaF();
    return QColor::fromRgbF(drawn.redF() * a + under.redF() * (1 - a),
                            drawn.greenF() * a + under.greenF() * (1 - a),
                            drawn.blueF() * a + under.blueF() * (1 - a));
}

// The part of the text that can show in width pixels: the characters past width / kNarrowestGlyph
// never do, whatever the text's length.
QStringView visibleSpan(QStringView text, int width)
{
    const qsizetype limit = qsizetype(width / kNarrowestGlyph) + 8;
    if (text.size() <= limit)
        return text;
    return text.left(text.at(limit - 1).isHighSurrogate() ? limit - 1 : limit);
}

// The text as far as it can show in width pixels, elided at its end; the work is bounded by the
// width, not by the text's length.
QString elided(const QString &text, const QFontMetrics &metrics, int width)
{
    const QStringView span = visibleSpan(text, width);
    // A row holds one line: line breaks show as spaces.
    QString prefix = span.toString();
    for (QChar &c : prefix)
        if (c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u' ';
    if (span.size() == text.size())
        return metrics.elidedText(prefix, Qt::ElideRight, width);
    // The span is wider than the width, so Qt elides it with an ellipsis from the text's own
    // face; a character added here that the face lacks would send Qt through every fallback font.
    const QString shown = metrics.elidedText(prefix, Qt::ElideRight, width);
    // Unless it is made of zero-width marks: it still shows that it goes on.
    return shown == prefix ? metrics.elidedText(prefix + QChar(0x2026), Qt::ElideRight, width) : shown;
}

} // namespace

ListExDelegate::ListExDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
    , m_fitted(kPictureCacheKiB)
{
}

ListExDelegate::~ListExDelegate() = default;

void ListExDelegate::setAppearance(const Appearance &given)
{
    // Sizes past what a row can hold would overflow the places computed from them.
    Appearance appearance = given;
    for (int Appearance::*size : {&Appearance::textLeft, &Appearance::pictLeft, &Appearance::pictTop,
                                  &Appearance::pictWidth, &Appearance::pictHeight, &Appearance::itemHeight})
        appearance.*size = qBound(0, appearance.*size, int(ListEx::MaxPixels));
    if (appearance.style < ListEx::Text || appearance.style > ListEx::LargeColorRect)
        appearance.style = ListEx::PictureAndText;
    if (appearance == m_appearance)
        return;
    const bool heightChanged = appearance.itemHeight != m_appearance.itemHeight;
    m_appearance = appearance;
    if (heightChanged)
        emit sizeHintChanged(QModelIndex());
}

QSize ListExDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const int gap = m_appearance.itemHeight > 0 ? 0 : kFontItemGap;
    int height = m_appearance.itemHeight > 0 ? m_appearance.itemHeight : option.fontMetrics.height() + gap;
    // An item's own font may need more. Font family items are drawn at the list's size; asking
    // for their font would look at every face of a font list at once.
    if (!index.data(ListExModel::FontKindRole).isValid())
        if (const QVariant own = index.data(Qt::FontRole); own.isValid())
            height = qMax(height, QFontMetrics(own.value<QFont>().resolve(option.font)).height() + gap);
    height = qBound(1, height, kMaxRowHeight);
    // Views place rows at int positions: the rows together must fit in them, or the last ones
    // could not be reached.
    if (const QAbstractItemModel *model = index.model()) {
        const int rows = qMax(1, model->rowCount(index.parent()));
        height = qMin(height, qMax(1, (std::numeric_limits<int>::max() / 2) / rows));
    }
    return QSize(1, height); // rows take the width of the list
}

// The picture at the box's size in device pixels, masked, made once per picture, size and
// colour: scaling and masking a large picture at every paint would cost far more than a frame.
QPixmap ListExDelegate::fitted(const QPixmap &picture, const QSize &deviceSize) const
{
    const QColor clear = m_appearance.transparentColor;
    const QString key = QStringLiteral("%1 %2x%3 %4")
                            .arg(picture.cacheKey())
                            .arg(deviceSize.width())
                            .arg(deviceSize.height())
                            .arg(clear.isValid() ? clear.rgba() : 0u);
    if (const QPixmap *hit = m_fitted.object(key))
        return *hit;
    QImage image = picture.toImage();
    const QSize source = image.size();
    // Whole-number scales stay sharp: pixel pictures are meant to look like pixels.
    const bool whole = deviceSize.width() % qMax(1, source.width()) == 0 &&
                       deviceSize.height() % qMax(1, source.height()) == 0;
    // A much larger picture is first brought near the box's size, pixel by pixel, so that the
    // mask and the smooth scaling below work on few pixels.
    if (!whole && (source.width() > 2 * deviceSize.width() || source.height() > 2 * deviceSize.height()))
        image = image.scaled(deviceSize * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (clear.isValid()) {
        image = image.convertToFormat(QImage::Format_ARGB32);
        const QRgb clearRgb = clear.rgb() & 0xFFFFFF;
        for (int y = 0; y < image.height(); ++y) {
            auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if ((line[x] & 0xFFFFFF) == clearRgb)
                    line[x] = 0;
        }
    }
    image = image.scaled(deviceSize, Qt::IgnoreAspectRatio,
                         whole ? Qt::FastTransformation : Qt::SmoothTransformation);
    auto *made = new QPixmap(QPixmap::fromImage(std::move(image)));
    const QPixmap result = *made;
    m_fitted.insert(key, made, qMax<qint64>(1, qint64(deviceSize.width()) * deviceSize.height() * 4 / 1024));
    return result;
}

void ListExDelegate::drawPicture(QPainter *painter, const QRect &box, const QPixmap &picture, bool dim) const
{
    if (picture.isNull() || box.isEmpty())
        return;
    // Device pixels per pixel, also where a widget is rendered into a larger image.
    const QTransform toDevice = painter->deviceTransform();
    const qreal ratio = toDevice.type() <= QTransform::TxScale && toDevice.m11() > 0
                            ? toDevice.m11()
                            : (painter->device() ? painter->device()->devicePixelRatioF() : 1.0);
    QPixmap shown = fitted(picture, (QSizeF(box.size()) * ratio).toSize());
    shown.setDevicePixelRatio(ratio);
    painter->save();
    painter->setRenderHint(QPainter::SmoothPixmapTransform, false); // drawn at its own size
    if (dim)
        painter->setOpacity(0.35);
    painter->drawPixmap(box.topLeft(), shown);
    painter->restore();
}

// The font that draws text in the list's font. Qt looks for a character that the face lacks in one
// fallback face after another, asking fontconfig about each: where no installed face has it,
// that search takes half a second with a few thousand fonts, once per script, and ends in the
// face's own missing-glyph box. Such text is drawn in the face alone, which shows the same box.
QFont ListExDelegate::listFontFor(const QFont &font, QStringView text) const
{
    if (!m_face.isValid() || m_faceOf != font) {
        m_faceOf = font;
        m_face = QRawFont::fromFont(font);
    }
    bool missing = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            c = QChar::surrogateToUcs4(char16_t(c), text[++i].unicode());
        if (QChar::isSpace(c) || m_face.supportsCharacter(c))
            continue;
        if (anyFaceHas(c))
            return font; // another face draws it
        missing = true;
    }
    if (!missing)
        return font;
    QFont alone = font;
    alone.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::NoFontMerging));
    return alone;
}

void ListExDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                           const QModelIndex &index) const
{
    const Appearance &look = m_appearance;
    const QPalette &pal = option.palette;
    const bool enabled = option.state & QStyle::State_Enabled;
    const bool selected = option.state & QStyle::State_Selected;
    const bool alternate = option.features & QStyleOptionViewItem::Alternate;
    const bool colourStyle = look.style == ListEx::ColorRectAndText || look.style == ListEx::LargeColorRect;
    const QPalette::ColorGroup shownGroup =
        option.state & QStyle::State_Active ? QPalette::Active : QPalette::Inactive;
    const Qt::LayoutDirection direction = option.direction;
    const QRect r = option.rect;

    // The ground: the selection colour, else the item's own background, else the list's. Where
    // none is the program's, the view's own ground shows (Base, or AlternateBase on alternate
    // rows) and nothing is filled.
    QColor ground;
    bool groundStored = true;
    QBrush fill;
    const QColor itemGround = roleColor(index, Qt::BackgroundRole);
    if (selected) {
        groundStored = look.selectionBackground.isValid();
        ground = groundStored ? look.selectionBackground
                              : pal.color(enabled ? shownGroup : QPalette::Disabled, QPalette::Highlight);
        fill = ground;
    } else if (itemGround.isValid()) {
        ground = itemGround;
        fill = ground;
    } else if (look.background.isValid()) {
        ground = alternate ? alternateOf(look.background) : look.background;
        fill = ground;
    } else {
        groundStored = false;
        ground = pal.color(shownGroup, alternate ? QPalette::AlternateBase : QPalette::Base);
    }

    // The row's ground through the style with the row's true state, so that native styles and
    // style sheet rules (::item, ::item:selected, :hover, :alternate, :disabled) draw it as in
    // any Qt list. The style draws its highlight in the list's selection colour.
    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    QStyleOptionViewItem panel = option;
    panel.text.clear();
    panel.icon = QIcon();
    panel.features &= ~(QStyleOptionViewItem::HasDisplay | QStyleOptionViewItem::HasDecoration |
                        QStyleOptionViewItem::HasCheckIndicator);
    panel.state &= ~QStyle::State_HasFocus; // drawn last, over the picture
    panel.backgroundBrush = fill;
    if (selected)
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
            panel.palette.setColor(group, QPalette::Highlight, ground);
    // A style sheet may give rows a ground of its own, in any state.
    const bool styleSheet = style->inherits("QStyleSheetStyle");
    bool sheetDrawn = false;
    if (styleSheet) {
        if (const QColor drawn = sheetGround(style, panel, widget, ground); drawn.isValid()) {
            ground = drawn;
            sheetDrawn = true;
        }
    }

    // The text: the item colour where the style shows it in the text and, on a selected row,
    // where it can be read on the selection; else the selection's text colour, else the
    // palette's. Where the ground is a stored colour or the selection and the text colour comes
    // from the palette, it is chosen to be read on that ground.
    const QColor itemColour = roleColor(index, Qt::ForegroundRole);
    QColor text;
    bool textStored;
    if (itemColour.isValid() && !colourStyle &&
        (!(selected || sheetDrawn) || contrastRatio(itemColour, ground) >= kReadableContrast)) {
        text = itemColour;
        textStored = true;
    } else if (selected) {
        textStored = look.selectionText.isValid();
        text = textStored ? look.selectionText : pal.color(shownGroup, QPalette::HighlightedText);
    } else {
        text = pal.color(shownGroup, QPalette::Text);
        textStored = false;
    }
    // A platform's own selection pair is not always readable either (Fusion's white on its blue
    // reads 3.7:1): on a selected row the palette's text is chosen for the ground too.
    if (!textStored && (groundStored || selected || styleSheet))
        text = readableOn(text, ground);
    if (!enabled)
        text = dimmedOn(text, ground);

    style->drawControl(QStyle::CE_ItemViewItem, &panel, painter, widget);
    // Without a style sheet, the program's own colours are what the row shows, flat, over the
    // native style's shading; so is a selected disabled row, which Qt's views never draw.
    if (!styleSheet && fill.style() != Qt::NoBrush && (groundStored || (selected && !enabled)))
        painter->fillRect(r, ground);

    // Laid out left to right, then mirrored for right-to-left lists.
    const auto visual = [&](const QRect &logical) { return QStyle::visualRect(direction, r, logical); };
    painter->save();
    const QRect box =
        visual(QRect(r.left() + look.pictLeft, r.top() + look.pictTop, look.pictWidth, look.pictHeight));
    const QRect large = r.adjusted(kLargeMargin, kLargeMargin, -kLargeMargin, -kLargeMargin);
    // The model's picture; a QIcon or a QColor as other models give them.
    const auto decorate = [&](const QRect &area) {
        const QVariant decoration = index.data(Qt::DecorationRole);
        if (decoration.typeId() == QMetaType::QColor) {
            QColor fill = decoration.value<QColor>();
            if (!enabled)
                fill.setAlphaF(fill.alphaF() * 0.35f);
            painter->fillRect(area, fill);
        } else if (decoration.typeId() == QMetaType::QIcon) {
            const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
            drawPicture(painter, area, decoration.value<QIcon>().pixmap(area.size(), ratio), !enabled);
        } else {
            drawPicture(painter, area, decoration.value<QPixmap>(), !enabled);
        }
    };
    auto swatch = [&](const QRect &area) {
        if (itemColour.isValid()) {
            QColor swatchFill = itemColour;
            if (!enabled)
                swatchFill.setAlphaF(0.35f);
            painter->fillRect(area, swatchFill);
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
        textX = r.left() + look.pictLeft + look.pictWidth + look.textLeft;
        break;
    case ListEx::LargeColorRect:
        swatch(large);
        textX = -1;
        break;
    case ListEx::LargePicture:
        decorate(large);
        textX = -1;
        break;
    case ListEx::PictureAndText:
    default:
        decorate(box);
        textX = r.left() + look.pictLeft + look.pictWidth + look.textLeft;
        break;
    }

    if (textX >= 0) {
        const QVariant own = index.data(Qt::FontRole);
        const QString itemText = index.data(Qt::DisplayRole).toString();
        const QRect textRect = visual(QRect(textX, r.top(), qMax(0, r.right() - textX), r.height()));
        const QFont font = own.isValid() ? own.value<QFont>().resolve(option.font)
                                         : listFontFor(option.font, visibleSpan(itemText, textRect.width()));
        const QString shown = elided(itemText, QFontMetrics(font), textRect.width());
        // The paragraph runs in the list's direction, as in Qt's own views: a right-to-left
        // text still reads right to left, and the ellipsis ends the line on the list's side.
        QTextOption layout(QStyle::visualAlignment(direction, Qt::AlignLeft | Qt::AlignVCenter));
        layout.setTextDirection(direction);
        layout.setWrapMode(QTextOption::NoWrap);
        painter->setFont(font);
        painter->setPen(text);
        painter->setClipRect(textRect, Qt::IntersectClip);
        painter->drawText(QRectF(textRect), shown, layout);
    }
    painter->restore();

    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.QStyleOption::operator=(option);
        focus.rect = r;
        focus.backgroundColor = ground;
        // Styles such as Fusion draw a frame only with these, tinting the whole row: an unselected
        // current row gets it, so that the keyboard's place shows; a selected row shows it already,
        // in the selection's own colours.
        if (!selected)
            focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
        style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, widget);
    }
}

} // namespace KvListEx
