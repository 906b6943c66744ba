#pragma once

#include "ProcessMemory.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <cstdio>

// Watches a program's main window for the startup benchmark: prints "shown" as soon as the
// window has been exposed and painted for the first time, then, after a second of idling,
// "idle_rss_kb <n>", and quits. The parent measures the time from starting the process to
// reading "shown".
class StartupProbe : public QObject {
public:
    explicit StartupProbe(QWidget* window)
        : QObject(window)
        , m_window(window)
    {
        QCoreApplication::instance()->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        QWindow* const handle = m_window->windowHandle();
        if (!m_shown && event->type() == QEvent::Expose && watched == handle &&
            handle->isExposed()) {
            m_shown = true;
            // Queued: the expose is handled, and the window painted, before this runs.
            QTimer::singleShot(0, this, [] {
                std::printf("shown\n");
                std::fflush(stdout);
                QTimer::singleShot(1000, [] {
                    std::printf("idle_rss_kb %lld\n", ProcessMemory::residentKb());
                    std::fflush(stdout);
                    QCoreApplication::quit();
                });
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget* m_window = nullptr;
    bool m_shown = false;
};
