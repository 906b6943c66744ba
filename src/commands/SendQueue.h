#pragma once

#include "commands/FloodPacer.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>

// The one queue of the lines the program sends after the login. Lines leave in the order
// they were queued, each as soon as the flood pacer lets it go: at once while the server's
// quota has room, otherwise when the timer says the room is there. A line's `whenSent` runs
// right after the line has been handed to the writer, so what it reports (an echo) never
// shows a line that is still waiting or was thrown away.
class SendQueue : public QObject {
    Q_OBJECT
public:
    struct Line {
        QByteArray bytes; // without the line end
        std::function<void()> whenSent;
    };
    using Writer = std::function<void(const QByteArray& bytesWithLineEnd)>;

    explicit SendQueue(FloodPacer::Clock clock, QObject* parent = nullptr);

    void setWriter(Writer writer) { m_writer = std::move(writer); }
    // Milliseconds that never go back; tests move time on themselves.
    void setClock(FloodPacer::Clock clock) { m_pacer.setClock(std::move(clock)); }
    void setLimits(const FloodLimits& limits);
    const FloodLimits& limits() const { return m_pacer.limits(); }

    void enqueue(Line line);
    int waiting() const { return int(m_lines.size()); }
    // Throws the waiting lines away unsent and forgets what was sent, for a connection that
    // has ended; returns how many were thrown away.
    int discard();
    // Sends every line the pacer lets go now; the timer is set for the next one.
    void pump();
    // The wait in milliseconds the timer was last set for; -1 when it is not running.
    int nextAttemptAfter() const { return m_timer.isActive() ? m_timer.interval() : -1; }

signals:
    void waitingChanged(int waiting);

private:
    void reportWaiting();

    FloodPacer m_pacer;
    Writer m_writer;
    std::deque<Line> m_lines; // oldest first
    int m_reported = 0;       // the count last reported by waitingChanged
    QTimer m_timer;
};
