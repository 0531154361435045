// SPDX-License-Identifier: BSD-3-Clause
// Delivers each character typed into a widget to a handler that may change or discard it
// (code 0) before the widget takes it.
#pragma once

#include <QObject>

#include <functional>

class QKeyEvent;

class KeyPressFilter : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<void(int &keyAscii)>;
    KeyPressFilter(QWidget *target, Handler handler);

    // The character code a key press types: its text's first code point, also with Alt, AltGr
    // or Meta held; the control code for Ctrl+letter (3 for Ctrl+C, 22 for Ctrl+V), 8 for
    // Backspace; -1 for keys that type nothing (Delete, arrows, Home, other shortcuts).
    static int characterCode(const QKeyEvent &event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool filterText(QWidget *target, const QString &text);
    Handler m_handler;
};
