// SPDX-License-Identifier: BSD-3-Clause
#include "application.h"
#include "fonts.h"
#include "frmmain.h"
#include "handlerguard.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace {

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? value : "";
}

// Without a display Qt would abort with a long message; say it in one line instead.
bool displayAvailable()
{
    return !environment("QT_QPA_PLATFORM").empty() || !environment("DISPLAY").empty() ||
           !environment("WAYLAND_DISPLAY").empty();
}

// The displays Qt tries to open, named from the variables it reads for them.
std::string displaysTried()
{
    const std::string platform = environment("QT_QPA_PLATFORM");
    const bool wayland = platform.empty() ? !environment("WAYLAND_DISPLAY").empty() ||
                                                environment("XDG_SESSION_TYPE") == "wayland"
                                          : platform.find("wayland") != std::string::npos;
    const bool x11 = platform.empty() || platform.find("xcb") != std::string::npos;
    if (!wayland && !x11)
        return "the display platform \"" + platform + "\" (QT_QPA_PLATFORM)";
    std::string named;
    if (wayland) {
        const std::string display = environment("WAYLAND_DISPLAY");
        named = "the Wayland display \"" + (display.empty() ? std::string("wayland-0") : display) + "\"";
    }
    if (x11) {
        const std::string display = environment("DISPLAY");
        named += named.empty() ? "" : " or ";
        named += display.empty() ? "an X display (DISPLAY is not set)" : "the X display \"" + display + "\"";
    }
    return named;
}

// When no display opens (a dead X server, a stale ssh session's DISPLAY, a wrong WAYLAND_DISPLAY or
// QT_QPA_PLATFORM), Qt prints a paragraph about reinstalling and aborts. While the application
// object is made, Qt's messages are held back: a fatal one becomes one line and exit code 2, and
// the others are passed on once it stands.
class DisplayOpening {
public:
    DisplayOpening() { s_previous = qInstallMessageHandler(hold); }
    ~DisplayOpening()
    {
        qInstallMessageHandler(s_previous);
        for (const Held &m : s_held) {
            const QMessageLogContext context(m.file, m.line, m.function, m.category);
            s_previous(m.type, context, m.text);
        }
        s_held.clear();
    }
    DisplayOpening(const DisplayOpening &) = delete;
    DisplayOpening &operator=(const DisplayOpening &) = delete;

private:
    struct Held {
        QtMsgType type;
        const char *file;
        int line;
        const char *function;
        const char *category; // the context's strings are static
        QString text;
    };

    static void hold(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        if (type == QtFatalMsg) {
            std::fprintf(stderr, "KvListExDemo: cannot open %s\n", displaysTried().c_str());
            std::_Exit(2);
        }
        s_held.push_back({type, context.file, context.line, context.function, context.category, text});
    }

    static inline QtMessageHandler s_previous = nullptr;
    static inline std::vector<Held> s_held;
};

} // namespace

int main(int argc, char *argv[])
{
    if (!displayAvailable()) {
        std::fprintf(stderr, "KvListExDemo: no display available (set DISPLAY, or "
                             "QT_QPA_PLATFORM=offscreen to run without one)\n");
        return 2;
    }
    std::optional<DisplayOpening> opening(std::in_place);
    Application app(argc, argv);
    opening.reset();
    fonts::registerSubstitutes();
    QApplication::setFont(fonts::layoutFont());

    frmMain window;
    if (!HandlerGuard::run([&window] { window.Form_Load(); }))
        return HandlerGuard::exitCode();
    window.showCentred();
    return app.exec();
}
