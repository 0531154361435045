// SPDX-License-Identifier: BSD-3-Clause
#include "handlerguard.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>
#include <QWidget>

#include <cstdio>
#include <stdexcept>

QString HandlerGuard::describe(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const std::out_of_range &e) {
        return QStringLiteral("Subscript out of range: %1").arg(QString::fromUtf8(e.what()));
    } catch (const std::exception &e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        return QStringLiteral("Unknown error");
    }
}

void HandlerGuard::reportUnhandled(std::exception_ptr error)
{
    s_ending = true;
    s_exitCode = kErrorExitCode;
    const QString text = describe(error);
    std::fprintf(stderr, "KvListExDemo: run-time error: %s\n", qPrintable(text));

    QWidget *parent = QApplication::activeWindow();
    QMessageBox box(QMessageBox::Critical, QCoreApplication::applicationName(),
                    QStringLiteral("Run-time error:\n\n%1").arg(text), QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("UnhandledErrorBox"));
    box.exec();

    // Leave the event loop; main then destroys the window. Before the loop runs (an error while
    // the window loads) main sees ending() itself: exit() then would also end every later loop.
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(kErrorExitCode);
}

void HandlerGuard::resetForTesting()
{
    s_depth = 0;
    s_ending = false;
    s_exitCode = 0;
}
