#include "application.h"
#include "firstframe.h"
#include "fonts.h"
#include "frmmain.h"
#include "handlerguard.h"
#include "versioninfo.h"

#include <cstdio>
#include <cstdlib>

namespace {

// Without a display Qt would abort with a long message; say it in one line instead.
bool displayAvailable()
{
    const auto set = [](const char *name) {
        const char *value = std::getenv(name);
        return value && *value;
    };
    return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

} // namespace

int main(int argc, char *argv[])
{
    if (!displayAvailable()) {
        std::fprintf(stderr, "KvListExDemo: no display available (set DISPLAY, or "
                             "QT_QPA_PLATFORM=offscreen to run without one)\n");
        return 2;
    }
    Application app(argc, argv);
    QCoreApplication::setApplicationName(QString::fromLatin1(kvversion::kProductName));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kvversion::kFileVersion));
    QCoreApplication::setOrganizationName(QString::fromLatin1(kvversion::kCompanyName));
    fonts::registerSubstitutes();
    QApplication::setFont(fonts::layoutFont());

    frmMain window;
    firstframe::watchIfAsked(&window);
    if (!HandlerGuard::run([&window] { window.Form_Load(); }))
        return HandlerGuard::exitCode();
    window.showCentred();
    return app.exec();
}
