// SPDX-License-Identifier: BSD-3-Clause
#include "application.h"

#include "handlerguard.h"
#include "versioninfo.h"

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
    setApplicationName(QString::fromLatin1(kvversion::kProductName));
    setApplicationVersion(QString::fromLatin1(kvversion::kFileVersion));
    setOrganizationName(QString::fromLatin1(kvversion::kCompanyName));
    // Wayland shells find the window's desktop entry, and so its icon, by this id.
    setDesktopFileName(QString::fromLatin1(kvversion::kDesktopFileName));
}

bool Application::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        if (HandlerGuard::active())
            throw; // the handler's own guard reports it
        if (!HandlerGuard::ending())
            HandlerGuard::reportUnhandled(std::current_exception());
        return true;
    }
}
