#include "application.h"

#include "handlerguard.h"

Application::Application(int &argc, char **argv)
    : QApplication(argc, argv)
{
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
