#pragma once

#include <QString>

#include <limits>
#include <optional>

// Keeps desktop notifications from turning into a storm: at most one a second. What comes
// sooner waits; when its second is up, the latest of the waiting ones is shown, saying how
// many more there were. Pure: the caller passes the time, in milliseconds.
class NotificationThrottle {
public:
    static constexpr qint64 IntervalMs = 1000;

    struct Note {
        QString title;
        QString body;
    };

    // A new notification: what to show now, or nothing when it has to wait for dueAt().
    std::optional<Note> offer(const QString& title, const QString& body, qint64 now);
    // What waited, summed up, once its time has come; nothing before that or when none waits.
    std::optional<Note> due(qint64 now);
    // When what waits may be shown; -1 when nothing waits.
    qint64 dueAt() const;

private:
    qint64 m_lastShown = std::numeric_limits<qint64>::min() / 2;
    Note m_waiting;
    int m_waitingCount = 0;
};
