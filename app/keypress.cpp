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

namespace {

// Whether a line edit would insert this character, as Qt's own input check decides.
bool typesCharacter(char32_t c)
{
    const auto category = QChar::category(c);
    return QChar::isPrint(c) || category == QChar::Other_Format || category == QChar::Other_PrivateUse;
}

} // namespace

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
    // Ctrl alone makes a shortcut of any other key; Alt, AltGr (Ctrl+Alt) and Meta still type.
    const QList<uint> text = event.text().toUcs4();
    if (mods == Qt::ControlModifier || text.isEmpty() || !typesCharacter(text.first()))
        return -1; // editing keys: Delete's text is the control character 0x7F
    return int(text.first());
}

bool KeyPressFilter::eventFilter(QObject *watched, QEvent *event)
{
    auto *target = qobject_cast<QWidget *>(watched);
    if (!target)
        return false;
    if (event->type() == QEvent::InputMethod) {
        const QString commit = static_cast<QInputMethodEvent *>(event)->commitString();
        return !commit.isEmpty() && filterText(target, commit);
    }
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *key = static_cast<QKeyEvent *>(event);
    const int code = characterCode(*key);
    if (code < 0)
        return false;
    // A control code stands for its key (Backspace, Ctrl+V); typed text goes through as it is.
    return filterText(target, code < 32 ? QString(QChar(char16_t(code))) : key->text());
}

// Runs each character of the text through the handler; when the handler changed any, the
// target gets what it kept instead of the event. Returns whether the event was taken.
bool KeyPressFilter::filterText(QWidget *target, const QString &text)
{
    QString kept;
    for (char32_t c : text.toUcs4()) {
        int keyAscii = int(c);
        m_handler(keyAscii);
        if (const char32_t out = char32_t(keyAscii); out != 0)
            kept.append(QString::fromUcs4(&out, 1));
    }
    if (kept == text)
        return false;
    if (auto *edit = qobject_cast<QLineEdit *>(target); edit && !kept.isEmpty())
        edit->insert(kept);
    return true;
}
