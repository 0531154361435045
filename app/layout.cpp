// SPDX-License-Identifier: BSD-3-Clause
// The window's controls, created from the layout's twips.
#include "controls.h"
#include "fonts.h"
#include "frmmain.h"
#include "twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>

using KvListEx::Classic::ListEx;

namespace {

QFont bold825()
{
    return fonts::layoutFont(8.25, QFont::Bold);
}

// A stored "font" value of a list: the layout's family at a point size, weight 400.
QVariant listFont(qreal pointSize)
{
    return QVariant::fromValue(fonts::layoutFont(pointSize));
}

QLabel *makeLabel(QWidget *parent, const QString &name, const QString &caption)
{
    auto *label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QPushButton *makeButton(QWidget *parent, const QString &name, const QString &caption)
{
    auto *button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

QCheckBox *makeCheckBox(QWidget *parent, const QString &name, const QString &caption)
{
    auto *box = new WrapCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

QRadioButton *makeOption(QWidget *parent, const QString &name, const QString &caption)
{
    auto *option = new QRadioButton(caption, parent);
    option->setObjectName(name);
    option->setFont(fonts::layoutFont()); // not the frame's bold caption font
    return option;
}

// A text box taking at most maxLength characters; without one, Qt's default of 32 767: a line
// edit lays out and measures its whole text on every change, so a longer paste would stall it.
QLineEdit *makeTextBox(QWidget *parent, const QString &name, int maxLength = 0)
{
    auto *box = new QLineEdit(parent);
    box->setObjectName(name);
    if (maxLength > 0)
        box->setMaxLength(maxLength);
    return box;
}

// A list created from its stored properties, sized by their extent, at the pages' list corner.
ListEx *makeList(TabPage *page, const QString &name, const QString &accessibleName,
                 const ListEx::Properties &stored)
{
    auto *list = new ListEx(stored, page);
    list->setObjectName(name);
    list->setAccessibleName(accessibleName);
    page->place(list, QRect(twips::toPx(120), twips::toPx(480), list->width(), list->height()));
    return list;
}

// A label sized to its caption: one line, as wide as the caption needs, at its layout corner.
QRect autoSized(QLabel *label, int left, int top)
{
    label->setWordWrap(false);
    const QSize hint = label->sizeHint();
    return QRect(twips::toPx(left), twips::toPx(top), hint.width(), hint.height());
}

// A label in its layout box, one line, whose right edge faces the control it names: a caption
// wider than the box in the substitute font widens it to the left, never into that control.
QRect facingRight(QLabel *label, QRect box)
{
    label->setWordWrap(false);
    box.setLeft(std::min(box.left(), box.right() + 1 - label->sizeHint().width()));
    return box;
}

} // namespace

void frmMain::createLayout()
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Kv Extended ListBox Control"));
    setFont(fonts::layoutFont());
    setFixedSize(clientSize()); // until the window manager's frame is known (Form_Resize)

    SSTab1 = new TabControl(twips::toPx(twips::fromHimetric(520)), this); // the strip: 520 hundredths of a mm
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    SSTab1->setGeometry(twips::rect(120, 120, 6495, 4575));

    const QStringList captions{QStringLiteral("Font"), QStringLiteral("Color"), QStringLiteral("Picture")};
    for (int i = 0; i < 3; ++i) {
        pages[i] = new TabPage(SSTab1);
        pages[i]->setObjectName(QStringLiteral("page%1").arg(i));
        SSTab1->addTab(pages[i], captions[i]);
    }
    createFontPage(pages[0]);
    createColorPage(pages[1]);
    createPicturePage(pages[2]);
    SSTab1->setCurrentIndex(0);

    cmdAbout = makeButton(this, QStringLiteral("cmdAbout"), QStringLiteral("&About"));
    cmdAbout->setGeometry(twips::rect(4080, 4800, 1215, 375));
    cmdExit = makeButton(this, QStringLiteral("cmdExit"), QStringLiteral("E&xit"));
    cmdExit->setGeometry(twips::rect(5400, 4800, 1215, 375));

    setFocusOrder();
    followLayoutDirection();
}

// Right to left, the layout reads from the right: each control the window or a frame places keeps
// its distance from the other edge, also when the window's width follows the window manager's
// frame. The pages place their own controls (TabPage).
void frmMain::followLayoutDirection()
{
    if (!Frame1 || !Frame2)
        return; // not laid out yet
    if (m_places.isEmpty())
        for (QWidget *container :
             {static_cast<QWidget *>(this), static_cast<QWidget *>(Frame1), static_cast<QWidget *>(Frame2)})
            for (QWidget *child : container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
                if (!child->isWindow())
                    m_places.insert(child, child->geometry());
    for (auto it = m_places.cbegin(); it != m_places.cend(); ++it)
        it.key()->setGeometry(
            QStyle::visualRect(layoutDirection(), it.key()->parentWidget()->rect(), it.value()));
}

void frmMain::createFontPage(TabPage *page)
{
    ListEx1 = makeList(page, QStringLiteral("ListEx1"), QStringLiteral("Fonts"),
                       {
                           {QStringLiteral("_extentx"), 5741},
                           {QStringLiteral("_extenty"), 7011},
                           {QStringLiteral("font"), listFont(8.25)},
                           {QStringLiteral("style"), 0},
                           {QStringLiteral("sorted"), true},
                       });

    const QStringList captions{QStringLiteral("Bold"), QStringLiteral("Italic"), QStringLiteral("Underline"),
                               QStringLiteral("Strikethrough")};
    const int widths[] = {2415, 2535, 2535, 2535};
    for (int i = 0; i < 4; ++i) {
        chkFont[i] = makeCheckBox(page, QStringLiteral("chkFont(%1)").arg(i), captions[i]);
        page->place(chkFont[i], twips::rect(3600, 600 + 360 * i, widths[i], 375));
    }

    lblFontType = makeLabel(page, QStringLiteral("lblFontType"), QStringLiteral("Font Type:"));
    lblFontType->setFont(bold825());
    lblFontType->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    page->place(lblFontType, twips::rect(3480, 2520, 2925, 195));

    lblFontSample = makeLabel(page, QStringLiteral("lblFontSample"), QStringLiteral("Sample text"));
    lblFontSample->setFont(fonts::layoutFont(18));
    lblFontSample->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    page->place(lblFontSample, twips::rect(3480, 3360, 2895, 975));
}

void frmMain::createColorPage(TabPage *page)
{
    ListEx2 = makeList(page, QStringLiteral("ListEx2"), QStringLiteral("Colors"),
                       {
                           {QStringLiteral("_extentx"), 6588},
                           {QStringLiteral("_extenty"), 5106},
                           {QStringLiteral("backcolor"), 0x00FFFFFF},
                           {QStringLiteral("textleft"), 4},
                           {QStringLiteral("pictleft"), 4},
                           {QStringLiteral("picttop"), 4},
                           {QStringLiteral("pictheight"), 22},
                           {QStringLiteral("pictwidth"), 22},
                           {QStringLiteral("font"), listFont(13.5)},
                           {QStringLiteral("itemheight"), 30},
                           {QStringLiteral("style"), 2},
                       });

    Frame1 = new QGroupBox(QStringLiteral("Colors"), page);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFont(bold825());
    page->place(Frame1, twips::rect(3960, 480, 2415, 975));
    optColors[0] = makeOption(Frame1, QStringLiteral("optColors(0)"), QStringLiteral("Custom Colors"));
    optColors[0]->setGeometry(twips::rect(240, 360, 1815, 255));
    optColors[1] = makeOption(Frame1, QStringLiteral("optColors(1)"), QStringLiteral("System Colors"));
    optColors[1]->setGeometry(twips::rect(240, 600, 1815, 255));
    optColors[0]->setChecked(true);

    Frame2 = new QGroupBox(QStringLiteral("Style"), page);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setFont(bold825());
    page->place(Frame2, twips::rect(3960, 1560, 2415, 1935));
    optStyle[0] = makeOption(Frame2, QStringLiteral("optStyle(0)"), QStringLiteral("kvColorRectAndText"));
    optStyle[0]->setGeometry(twips::rect(240, 360, 1935, 255));
    optStyle[1] = makeOption(Frame2, QStringLiteral("optStyle(1)"), QStringLiteral("kvLargeColorRect"));
    optStyle[1]->setGeometry(twips::rect(240, 600, 1935, 255));
    optStyle[0]->setChecked(true);
    Label6 = makeLabel(Frame2, QStringLiteral("Label6"),
                       QStringLiteral("NOTE: kvLargePicture style isn't used in this example but "
                                      "works like kvLargeColorRect"));
    Label6->setFont(fonts::layoutFont());
    Label6->setGeometry(twips::rect(120, 1080, 2175, 735));

    Label1 = makeLabel(page, QStringLiteral("Label1"), QStringLiteral("Selected color"));
    page->place(Label1, twips::rect(120, 3480, 2895, 255));

    lblColor = makeLabel(page, QStringLiteral("lblColor"), QString());
    lblColor->setFrameStyle(QFrame::Box | QFrame::Plain);
    lblColor->setLineWidth(1);
    lblColor->setAutoFillBackground(true);
    lblColor->setAccessibleName(QStringLiteral("Selected color"));
    page->place(lblColor, twips::rect(120, 3720, 6255, 735));
}

void frmMain::createPicturePage(TabPage *page)
{
    ListEx3 = makeList(page, QStringLiteral("ListEx3"), QStringLiteral("Characters"),
                       {
                           {QStringLiteral("_extentx"), 6800},
                           {QStringLiteral("_extenty"), 5530},
                           {QStringLiteral("backcolor"), 0x00FFFFC0},
                           {QStringLiteral("selbackcolor"), 0x0080FF80},
                           {QStringLiteral("selforecolor"), 0x00C00000},
                           {QStringLiteral("transpcolor"), 0x0000FF00},
                           {QStringLiteral("textleft"), 4},
                           {QStringLiteral("pictleft"), 4},
                           {QStringLiteral("picttop"), 4},
                           {QStringLiteral("pictheight"), 32},
                           {QStringLiteral("pictwidth"), 32},
                           {QStringLiteral("font"), listFont(9.75)},
                           {QStringLiteral("itemheight"), 40},
                       });

    // The colour legend: the list's own background for the male rows, pink for the female.
    Shape1[1] = new Shape(page);
    Shape1[1]->setObjectName(QStringLiteral("Shape1(1)"));
    Shape1[1]->setFillColor(KvListEx::Classic::ToQColor(0x00FFFFC0, palette()));
    page->place(Shape1[1], twips::rect(4080, 480, 255, 255));
    Label2 = makeLabel(page, QStringLiteral("Label2"), QStringLiteral("Male"));
    page->place(Label2, autoSized(Label2, 4440, 525));
    Shape1[0] = new Shape(page);
    Shape1[0]->setObjectName(QStringLiteral("Shape1(0)"));
    Shape1[0]->setFillColor(KvListEx::Classic::ToQColor(0x00C0C0FF, palette()));
    page->place(Shape1[0], twips::rect(5040, 480, 255, 255));
    Label3 = makeLabel(page, QStringLiteral("Label3"), QStringLiteral("Female"));
    page->place(Label3, autoSized(Label3, 5400, 520));

    const QStringList captions{QStringLiteral("Enable or Disable"), QStringLiteral("Underline")};
    for (int i = 0; i < 2; ++i) {
        const int top = 960 + 480 * i;
        cmdItemChange[i] = makeButton(page, QStringLiteral("cmdItemChange(%1)").arg(i), captions[i]);
        page->place(cmdItemChange[i], twips::rect(4080, top, 1455, 375));
        Label5[i] = makeLabel(page, QStringLiteral("Label5(%1)").arg(i), QStringLiteral("item:"));
        page->place(Label5[i], facingRight(Label5[i], twips::rect(5640, top + 120, 330, 195)));
        txtIndex[i] = makeTextBox(page, QStringLiteral("txtIndex(%1)").arg(i), 2);
        txtIndex[i]->setAccessibleName(QStringLiteral("Item number for %1").arg(captions[i]));
        page->place(txtIndex[i], twips::rect(6000, top + 45, 375, 285));
    }

    txtItem = makeTextBox(page, QStringLiteral("txtItem"));
    txtItem->setAccessibleName(QStringLiteral("Text to find"));
    page->place(txtItem, twips::rect(4080, 2280, 2295, 285));
    cmdFind = makeButton(page, QStringLiteral("cmdFind"), QStringLiteral("Find Item"));
    page->place(cmdFind, twips::rect(4080, 2640, 1335, 375));
    chkFind = makeCheckBox(page, QStringLiteral("chkFind"), QStringLiteral("Exact Match"));
    page->place(chkFind, twips::rect(5520, 2640, 855, 375));
    chkEnabled = makeCheckBox(page, QStringLiteral("chkEnabled"), QStringLiteral("Enabled"));
    chkEnabled->setChecked(true);
    page->place(chkEnabled, twips::rect(4080, 3360, 1935, 255));

    Label4 =
        makeLabel(page, QStringLiteral("Label4"), QStringLiteral("Description of the selected character:"));
    Label4->setFont(bold825());
    page->place(Label4, autoSized(Label4, 120, 3720));
    lblDescr = makeLabel(page, QStringLiteral("lblDescr"), QString());
    page->place(lblDescr, twips::rect(120, 4080, 6255, 255));
}

void frmMain::setFocusOrder()
{
    m_focusOrder = {ListEx1};
    m_focusOrder << chkFont[0] << chkFont[1] << chkFont[2] << chkFont[3];
    m_focusOrder << ListEx2 << optColors[0] << optColors[1] << optStyle[0] << optStyle[1];
    m_focusOrder << ListEx3 << cmdItemChange[0] << txtIndex[0] << cmdItemChange[1] << txtIndex[1];
    m_focusOrder << txtItem << cmdFind << chkFind << chkEnabled;
    m_focusOrder << SSTab1->tabBar() << cmdAbout << cmdExit;
    for (qsizetype i = 1; i < m_focusOrder.size(); ++i)
        QWidget::setTabOrder(m_focusOrder[i - 1], m_focusOrder[i]);
}
