// SPDX-License-Identifier: BSD-3-Clause
// The application object: it names the program, its version and maker; an exception that escapes
// event delivery outside every handler guard (from inside a control, say) is reported like one
// from a handler instead of aborting.
#pragma once

#include <QApplication>

class Application : public QApplication {
    Q_OBJECT
public:
    Application(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;
};
