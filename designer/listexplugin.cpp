// SPDX-License-Identifier: BSD-3-Clause
#include "listexplugin.h"

#include <KvListEx/listex.h>

#include <QPainter>
#include <QPixmap>

using KvListEx::ListEx;

namespace {

// A few rows of colour boxes and text lines, in the manner of the control's colour styles.
QPixmap drawIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.setBrush(Qt::white);
    painter.drawRect(0, 0, size - 1, size - 1);
    const QColor boxes[] = {QColor(0xE0, 0x30, 0x30), QColor(0x30, 0xA0, 0x30), QColor(0x30, 0x60, 0xE0)};
    const int row = (size - 4) / 3;
    for (int i = 0; i < 3; ++i) {
        const int top = 2 + i * row;
        if (i == 1)
            painter.fillRect(1, top, size - 2, row, QColor(0x33, 0x99, 0xFF, 0x60));
        painter.fillRect(3, top + 2, row - 4, row - 4, boxes[i]);
        painter.fillRect(row + 2, top + row / 2 - 1, size - row - 6, 2, QColor(0x30, 0x30, 0x30));
    }
    return pixmap;
}

} // namespace

ListExPlugin::ListExPlugin(QObject *parent)
    : QObject(parent)
{
}

QString ListExPlugin::name() const
{
    return QStringLiteral("KvListEx::ListEx");
}

QString ListExPlugin::group() const
{
    return QStringLiteral("KvListEx");
}

QString ListExPlugin::toolTip() const
{
    return tr("Extended list box: items with pictures, colours, fonts and descriptions");
}

QString ListExPlugin::whatsThis() const
{
    return tr("ListEx is a single-selection list whose items carry a picture, an item colour, a "
              "background, a font and a description. It draws them in one of five styles (text, "
              "picture and text, colour box and text, large picture, large colour) and raises "
              "ItemSelected when an item becomes the selection.");
}

QString ListExPlugin::includeFile() const
{
    return QStringLiteral("KvListEx/listex.h");
}

QIcon ListExPlugin::icon() const
{
    QIcon icon;
    for (int size : {16, 22, 32})
        icon.addPixmap(drawIcon(size));
    return icon;
}

bool ListExPlugin::isContainer() const
{
    return false;
}

// In Designer a new list shows three sample items, so that styles, offsets and colours set in the
// property editor can be seen; the program fills its own list.
QWidget *ListExPlugin::createWidget(QWidget *parent)
{
    auto *list = new ListEx(parent);
    if (!m_inDesigner)
        return list;
    const struct {
        const char *text;
        QColor color;
    } samples[] = {{QT_TRANSLATE_NOOP("ListExPlugin", "Red item"), QColor(0xE0, 0x30, 0x30)},
                   {QT_TRANSLATE_NOOP("ListExPlugin", "Green item"), QColor(0x30, 0xA0, 0x30)},
                   {QT_TRANSLATE_NOOP("ListExPlugin", "Blue item"), QColor(0x30, 0x60, 0xE0)}};
    for (const auto &sample : samples) {
        QPixmap picture(32, 32);
        picture.fill(sample.color);
        KvListEx::ListExItem item(tr(sample.text));
        item.setColor(sample.color);
        item.setPicture(picture);
        list->addItem(item);
    }
    return list;
}

bool ListExPlugin::isInitialized() const
{
    return m_initialized;
}

void ListExPlugin::initialize(QDesignerFormEditorInterface *core)
{
    m_initialized = true;
    m_inDesigner = core != nullptr;
}

// A new list on a form: the control's default size; every other property keeps the control's
// default until changed in the property editor.
QString ListExPlugin::domXml() const
{
    return QStringLiteral(R"(<ui language="c++">
 <widget class="KvListEx::ListEx" name="listEx">
  <property name="geometry">
   <rect><x>0</x><y>0</y><width>200</width><height>160</height></rect>
  </property>
 </widget>
 <customwidgets>
  <customwidget>
   <class>KvListEx::ListEx</class>
   <extends>QListView</extends>
   <header>KvListEx/listex.h</header>
  </customwidget>
 </customwidgets>
</ui>
)");
}
