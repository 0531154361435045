// SPDX-License-Identifier: BSD-3-Clause
#include "keypress.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

KeyPressFilter::KeyPressFilter(QWidget *target, Handler handler)
    : QObject(target)
    , m_handler(std::move(handler))
{
    target->installEventFilter(this);
}

int KeyPressFilter::characterCode(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    default:
        break;
    }
    const Qt::KeyboardModifiers mods = event.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    if (mods == Qt::ControlModifier && event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z)
        return event.key() - Qt::Key_A + 1;
    if (mods & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return -1; // shortcuts type nothing
    const QString text = event.text();
    if (text.isEmpty())
        return -1;
    return int(text.at(0).unicode());
}

bool KeyPressFilter::eventFilter(QObject *watched, QEvent *event)
{
    auto *target = qobject_cast<QWidget *>(watched);
    if (!target)
        return false;
    if (event->type() == QEvent::InputMethod)
        return filterCommit(target, event);
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const int code = characterCode(*key);
    if (code < 0)
        return false;
    int keyAscii = code;
    m_handler(keyAscii);
    if (keyAscii == code)
        return false;
    if (keyAscii != 0) {
        if (auto *edit = qobject_cast<QLineEdit *>(target))
            edit->insert(QString(QChar(char16_t(keyAscii))));
    }
    return true;
}

// Text composed by an input method arrives without key presses: run it through the handler too.
bool KeyPressFilter::filterCommit(QWidget *target, QEvent *event)
{
    auto *im = static_cast<QInputMethodEvent *>(event);
    if (im->commitString().isEmpty())
        return false;
    QString kept;
    for (QChar c : im->commitString()) {
        int keyAscii = int(c.unicode());
        m_handler(keyAscii);
        if (keyAscii != 0)
            kept.append(QChar(char16_t(keyAscii)));
    }
    if (kept == im->commitString())
        return false;
    if (auto *edit = qobject_cast<QLineEdit *>(target); edit && !kept.isEmpty())
        edit->insert(kept);
    return true;
}
