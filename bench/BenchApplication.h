#pragma once

#include <QApplication>
#include <QElapsedTimer>

// The measurement processes' application: counts the window updates (the repaints that
// follow the receive path's yields) and the time they take, so the cost of showing
// progress can be told apart from the cost of handling lines.
class BenchApplication : public QApplication {
public:
    using QApplication::QApplication;

    static inline long long paints = 0;
    static inline long long paintNs = 0;

    bool notify(QObject* receiver, QEvent* event) override
    {
        if (event->type() != QEvent::UpdateRequest || !receiver->isWidgetType())
            return QApplication::notify(receiver, event);
        QElapsedTimer timer;
        timer.start();
        const bool result = QApplication::notify(receiver, event);
        ++paints;
        paintNs += timer.nsecsElapsed();
        return result;
    }
};
