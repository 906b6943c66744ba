#include "ui/NotificationThrottle.h"

#include <QCoreApplication>

std::optional<NotificationThrottle::Note>
NotificationThrottle::offer(const QString& title, const QString& body, qint64 now)
{
    if (m_waitingCount == 0 && now - m_lastShown >= IntervalMs) {
        m_lastShown = now;
        return Note{title, body};
    }
    m_waiting = {title, body};
    ++m_waitingCount;
    return std::nullopt;
}

std::optional<NotificationThrottle::Note> NotificationThrottle::due(qint64 now)
{
    if (m_waitingCount == 0 || now < dueAt())
        return std::nullopt;
    Note note = m_waiting;
    if (m_waitingCount > 1)
        note.body += QCoreApplication::translate("NotificationThrottle", "\n(and %1 more)")
                         .arg(m_waitingCount - 1);
    m_waitingCount = 0;
    m_lastShown = now;
    return note;
}

qint64 NotificationThrottle::dueAt() const
{
    return m_waitingCount == 0 ? -1 : m_lastShown + IntervalMs;
}
