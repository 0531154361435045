// SPDX-License-Identifier: BSD-3-Clause
#include "frmmain.h"

#include "checkvalue.h"
#include "controls.h"
#include "handlerguard.h"
#include "keypress.h"
#include "resourcepictures.h"
#include "twips.h"

#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>

#ifdef KV_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace {

// The window manager's frame around the client area, in the pixels it is drawn in; empty until
// the window manager has framed the window. An X window manager draws it in device pixels at
// any Qt scale factor, and Qt's frame margins, divided by the factor and rounded side by side,
// are too coarse to size the client area to the pixel: ask the window manager itself.
QSize windowManagerFrame(const QWidget *window)
{
#ifdef KV_HAVE_XCB
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *c = x11 && QGuiApplication::platformName() == u"xcb" ? x11->connection() : nullptr;
    if (c && window->windowHandle()) {
        // The atom stays the same for the connection: asked for once it exists, not on every
        // move and resize, each a round trip to the server.
        static xcb_connection_t *atomConnection = nullptr;
        static xcb_atom_t atom = XCB_ATOM_NONE;
        if (atomConnection != c || atom == XCB_ATOM_NONE) {
            const char name[] = "_NET_FRAME_EXTENTS";
            xcb_intern_atom_reply_t *interned =
                xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, sizeof name - 1, name), nullptr);
            atomConnection = c;
            atom = interned ? interned->atom : xcb_atom_t(XCB_ATOM_NONE);
            std::free(interned);
        }
        xcb_get_property_reply_t *reply =
            atom != XCB_ATOM_NONE
                ? xcb_get_property_reply(
                      c, xcb_get_property(c, 0, xcb_window_t(window->winId()), atom, XCB_ATOM_CARDINAL, 0, 4),
                      nullptr)
                : nullptr;
        QSize frame;
        if (reply && xcb_get_property_value_length(reply) == 16) {
            const auto *v = static_cast<const quint32 *>(xcb_get_property_value(reply));
            frame = QSize(int(v[0] + v[1]), int(v[2] + v[3])); // left, right, top, bottom
        }
        std::free(reply);
        return frame;
    }
#endif
    // Elsewhere the frame is Qt's own or the compositor's, in logical pixels.
    return window->frameGeometry().size() - window->geometry().size();
}

} // namespace

frmMain::frmMain(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
    , m_loadPicture(LoadResPicture)
{
    createLayout();
    // From the start, so that the title bar and the task switcher never show a generic icon.
    setWindowIcon(programIcon());
    connectHandlers();
}

frmMain::~frmMain() = default;

QSize frmMain::outerSize()
{
    return twips::size(6850, 5700);
}

QSize frmMain::clientSize()
{
    return twips::size(6735, 5265);
}

void frmMain::connectHandlers()
{
    // Each handler runs inside the guard; none of them catches by itself.
    auto guarded = [](auto handler) { return [handler] { HandlerGuard::run(handler); }; };

    connect(cmdExit, &QPushButton::clicked, this, guarded([this] { cmdExit_Click(); }));
    connect(cmdAbout, &QPushButton::clicked, this, guarded([this] { cmdAbout_Click(); }));

    connect(ListEx1, &KvListEx::Classic::ListEx::ItemSelected, this,
            guarded([this] { ListEx1_ItemSelected(); }));
    // A check box raises Click on every change of its value: by mouse, Space, mnemonic or an
    // assistive tool's toggle, which changes the value without a click.
    for (qint16 i = 0; i < qint16(chkFont.size()); ++i)
        connect(chkFont[i], &QCheckBox::stateChanged, this, guarded([this, i] { chkFont_Click(i); }));

    connect(ListEx2, &KvListEx::Classic::ListEx::ItemSelected, this,
            guarded([this] { ListEx2_ItemSelected(); }));
    for (qint16 i = 0; i < 2; ++i) {
        // An option raises Click when it becomes the selected one of its group.
        connect(optColors[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                HandlerGuard::run([this, i] { optColors_Click(i); });
        });
        connect(optStyle[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                HandlerGuard::run([this, i] { optStyle_Click(i); });
        });
    }

    connect(ListEx3, &KvListEx::Classic::ListEx::ItemSelected, this,
            guarded([this] { ListEx3_ItemSelected(); }));
    for (qint16 i = 0; i < 2; ++i) {
        connect(cmdItemChange[i], &QPushButton::clicked, this,
                guarded([this, i] { cmdItemChange_Click(i); }));
        new KeyPressFilter(txtIndex[i], [this, i](int &keyAscii) {
            HandlerGuard::run([this, i, &keyAscii] { txtIndex_KeyPress(i, keyAscii); });
        });
    }
    connect(cmdFind, &QPushButton::clicked, this, guarded([this] { cmdFind_Click(); }));
    connect(chkEnabled, &QCheckBox::stateChanged, this, guarded([this] { chkEnabled_Click(); }));
}

void frmMain::Form_Load()
{
    // Font page
    ListEx1->AddScreenFonts();
    ListEx1->Refresh();
    ListEx1->SetListIndex(0);
    // Color page
    LoadCustomColors();
    ListEx2->SetListIndex(0);
    // Picture page
    LoadCharacters();
    ListEx3->SetListIndex(0);
}

void frmMain::showCentred()
{
    SSTab1->setCurrentIndex(0);
    const QRect screen = this->screen()->availableGeometry();
    const QSize outer = outerSize();
    move(screen.x() + (screen.width() - outer.width()) / 2,
         screen.y() + (screen.height() - outer.height()) / 2);
    show();
    ListEx1->setFocus(Qt::OtherFocusReason);
}

void frmMain::Form_Resize()
{
    // A window manager that maximises the window all the same is left to it: fighting it only
    // flips the window between two sizes.
    if (windowState() & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    // The window manager's frame is known once the window is shown; until then the layout's
    // client area stands for it. The frame counts in the pixels it is drawn in, so that the client
    // area in logical pixels is the same at every scale factor.
    const QSize frame = windowManagerFrame(this);
    QSize target = frame.isEmpty() ? clientSize() : outerSize() - frame;
    target = target.expandedTo(clientSize()); // a thick frame must not clip the layout
    // Equal minimum and maximum sizes tell the window manager that the size is fixed, so that it
    // offers neither resizing nor maximising; a drag it runs itself would not wait for a snap-back.
    // setFixedSize hands both bounds over at once, never a minimum above the maximum.
    if (minimumSize() != target || maximumSize() != target)
        setFixedSize(target);
    if (size() != target)
        resize(target);
}

void frmMain::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (isRightToLeft())
        followLayoutDirection();
    HandlerGuard::run([this] { Form_Resize(); });
}

// The window manager frames the window after it is shown, which moves it but may not resize it:
// that is when the frame's size becomes known and the outer size can be set.
void frmMain::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    HandlerGuard::run([this] { Form_Resize(); });
}

void frmMain::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        HandlerGuard::run([this] { Form_Resize(); });
    if (event->type() == QEvent::LayoutDirectionChange)
        followLayoutDirection();
}

// Tab walks the layout's focus order, over the controls that can take the focus now: those of
// the page in front, and of each option group only the selected option (arrows move inside).
bool frmMain::focusNextPrevChild(bool next)
{
    const qsizetype n = m_focusOrder.size();
    const qsizetype at = m_focusOrder.indexOf(focusWidget());
    if (at < 0)
        return QWidget::focusNextPrevChild(next);
    for (qsizetype step = 1; step < n; ++step) {
        QWidget *w = m_focusOrder[(at + (next ? step : n - step)) % n];
        const auto *option = qobject_cast<QRadioButton *>(w);
        if (!w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus) ||
            (option && option->autoExclusive() && !option->isChecked()))
            continue;
        w->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return false;
}

void frmMain::cmdExit_Click()
{
    close();
}

void frmMain::cmdAbout_Click()
{
    ListEx1->AboutBox();
}
