// SPDX-License-Identifier: BSD-3-Clause
#include "controls.h"

#include <QEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

QRect WrapCheckBox::captionRect() const
{
    QStyleOptionButton opt;
    initStyleOption(&opt);
    return style()->subElementRect(QStyle::SE_CheckBoxContents, &opt, this);
}

bool WrapCheckBox::wraps() const
{
    return fontMetrics().horizontalAdvance(text()) > captionRect().width();
}

void WrapCheckBox::paintEvent(QPaintEvent *event)
{
    if (!wraps()) {
        QCheckBox::paintEvent(event);
        return;
    }
    QStylePainter p(this);
    QStyleOptionButton opt;
    initStyleOption(&opt);
    const QString caption = opt.text;
    opt.text.clear();
    opt.state &= ~QStyle::State_HasFocus; // the focus frame goes round the wrapped caption below
    p.drawControl(QStyle::CE_CheckBox, opt);

    const QRect area = captionRect();
    const int flags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap | Qt::TextShowMnemonic;
    p.drawItemText(area, flags, palette(), isEnabled(), caption, QPalette::WindowText);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = fontMetrics().boundingRect(area, flags, caption).adjusted(-1, 0, 1, 0) & rect();
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool WrapCheckBox::hitButton(const QPoint &pos) const
{
    return rect().contains(pos);
}

Shape::Shape(QWidget *parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setFillColor(const QColor &color)
{
    m_fill = color;
    update();
}

void Shape::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_fill);
    p.setPen(QPen(palette().color(QPalette::WindowText), 0));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

TabPage::TabPage(QWidget *tabControl, QWidget *parent)
    : QWidget(parent)
    , m_tabControl(tabControl)
{
}

void TabPage::place(QWidget *control, const QRect &inTabControl)
{
    m_places.insert(control, inTabControl);
    relayout();
}

void TabPage::relayout()
{
    const QPoint origin = m_tabControl->isAncestorOf(this) ? mapTo(m_tabControl, QPoint(0, 0)) : QPoint(0, 0);
    for (auto it = m_places.cbegin(); it != m_places.cend(); ++it) {
        // Controls inside a frame are placed by the frame, not by the page.
        if (it.key()->parentWidget() != this)
            continue;
        // Right to left, read from the tab control's other edge.
        const QRect place = QStyle::visualRect(layoutDirection(), m_tabControl->rect(), it.value());
        it.key()->setGeometry(place.translated(-origin));
    }
}

void TabPage::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LayoutDirectionChange)
        relayout();
}

void TabPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void TabPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    relayout();
}

namespace {

class SharedWidthTabBar : public QTabBar {
public:
    SharedWidthTabBar(int height, QWidget *parent)
        : QTabBar(parent)
        , m_height(height)
    {
    }

protected:
    QSize tabSizeHint(int index) const override
    {
        QSize size = QTabBar::tabSizeHint(index);
        const QWidget *control = parentWidget();
        if (control && count() > 0) {
            // The last tab takes what the division leaves over.
            const int share = control->width() / count();
            size.setWidth(index == count() - 1 ? control->width() - share * (count() - 1) : share);
        }
        size.setHeight(m_height);
        return size;
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }

private:
    int m_height;
};

} // namespace

TabControl::TabControl(int stripHeight, QWidget *parent)
    : QTabWidget(parent)
{
    setTabBar(new SharedWidthTabBar(stripHeight, this));
    setUsesScrollButtons(false);
    setElideMode(Qt::ElideNone);
}
