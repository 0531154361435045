// SPDX-License-Identifier: BSD-3-Clause
// Small controls the window needs that Qt does not have as such.
#pragma once

#include <QCheckBox>
#include <QColor>
#include <QHash>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

// A check box whose caption wraps onto further lines when it is wider than the box.
class WrapCheckBox : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;
    // The area the caption is drawn in.
    QRect captionRect() const;
    // True when the caption needs more than one line.
    bool wraps() const;

protected:
    void paintEvent(QPaintEvent *event) override;
    bool hitButton(const QPoint &pos) const override;
};

// A rectangle filled with one colour and outlined by a one-pixel line; no focus, no events.
class Shape : public QWidget {
    Q_OBJECT
public:
    explicit Shape(QWidget *parent = nullptr);
    void setFillColor(const QColor &color);
    QColor fillColor() const { return m_fill; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QColor m_fill;
};

// The tab control: one row of tabs sharing its whole width, in a strip of a given height.
class TabControl : public QTabWidget {
    Q_OBJECT
public:
    TabControl(int stripHeight, QWidget *parent = nullptr);
};

// A page of the tab control. Its controls are placed in the tab control's coordinates (tab
// strip included), as the layout gives them, whatever size the tab strip has.
class TabPage : public QWidget {
    Q_OBJECT
public:
    TabPage(QWidget *tabControl, QWidget *parent = nullptr);
    void place(QWidget *control, const QRect &inTabControl);

protected:
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void relayout();
    QWidget *m_tabControl;
    QHash<QWidget *, QRect> m_places;
};
