// Start-up measurement: with KV_REPORT_FIRST_FRAME set, the program prints when its window has
// painted its first frame (CLOCK_MONOTONIC, ms) and its resident memory after a short idle,
// then quits. The benchmark in bench/ compares that with a bare Qt window.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace firstframe {

inline double monotonicMs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) * 1000.0 + double(ts.tv_nsec) / 1e6;
}

inline long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

class Watcher : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
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

private:
    bool m_done = false;
};

inline void watchIfAsked(QWidget *window)
{
    if (std::getenv("KV_REPORT_FIRST_FRAME"))
        window->installEventFilter(new Watcher(window));
}

} // namespace firstframe
