// SPDX-License-Identifier: BSD-3-Clause
// Start-up measurement, linked only into the benchmark's executables: once the first window has
// painted its first frame, prints that moment (CLOCK_MONOTONIC, ms) and, after a short idle, the
// resident memory, then quits. bench/startup.py compares the demo with a bare Qt window.
#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace {

double monotonicMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

class FirstFrame : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType() &&
            static_cast<QWidget *>(watched)->isWindow()) {
            QCoreApplication::instance()->removeEventFilter(this);
            // Report once the paint has been delivered, then idle briefly and read memory.
            QTimer::singleShot(0, this, [] {
                std::printf("first-frame-ms %.3f\n", monotonicMs());
                QTimer::singleShot(300, [] {
                    std::printf("idle-rss-kib %ld\n", residentKiB());
                    std::fflush(stdout);
                    QCoreApplication::exit(0);
                });
            });
        }
        return QObject::eventFilter(watched, event);
    }
};

// Runs as the application object is made, before the program creates its window.
void watchFirstFrame()
{
    QCoreApplication *app = QCoreApplication::instance();
    app->installEventFilter(new FirstFrame(app));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchFirstFrame)
