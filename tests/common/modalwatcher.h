// SPDX-License-Identifier: BSD-3-Clause
// Closes the modal boxes a test provokes, so no test ever blocks on one.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>

#include <memory>

struct SeenModal {
    QString objectName;
    QString title;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
};

// Polls for a modal widget and rejects (closes) every one it sees, recording what it showed.
class ModalWatcher {
public:
    ModalWatcher()
        : m_timer(std::make_unique<QTimer>())
    {
        m_timer->setInterval(5);
        QObject::connect(m_timer.get(), &QTimer::timeout, [this] { poll(); });
        m_timer->start();
    }

    const QList<SeenModal> &seen() const { return m_seen; }

private:
    void poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        SeenModal s;
        s.objectName = modal->objectName();
        s.title = modal->windowTitle();
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            s.text = box->text();
            s.icon = box->icon();
            s.buttons = int(box->buttons().size());
        }
        m_seen.append(s);
        if (auto *dialog = qobject_cast<QDialog *>(modal))
            dialog->reject();
        else
            modal->close();
    }

    std::unique_ptr<QTimer> m_timer;
    QList<SeenModal> m_seen;
};
