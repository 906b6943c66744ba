#include "commands/SendQueue.h"

#include <limits>

SendQueue::SendQueue(FloodPacer::Clock clock, QObject* parent)
    : QObject(parent)
    , m_pacer(std::move(clock))
{
    m_timer.setSingleShot(true);
    // A coarse timer may fire a little early; the pacer would then only set it again.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &SendQueue::pump);
}

void SendQueue::setLimits(const FloodLimits& limits)
{
    m_pacer.setLimits(limits);
    pump();
}

void SendQueue::enqueue(Line line)
{
    m_lines.push_back(std::move(line));
    pump();
}

int SendQueue::discard()
{
    m_timer.stop();
    m_pacer.forget();
    const int discarded = waiting();
    m_lines.clear();
    reportWaiting();
    return discarded;
}

void SendQueue::pump()
{
    m_timer.stop();
    while (!m_lines.empty()) {
        const qint64 wait = m_pacer.waitBefore(m_lines.front().bytes.size());
        if (wait > 0) {
            m_timer.start(int(qMin<qint64>(wait, std::numeric_limits<int>::max())));
            break;
        }
        // Taken off the queue first: what runs below may queue or discard lines itself.
        Line line = std::move(m_lines.front());
        m_lines.pop_front();
        m_pacer.sent(line.bytes.size());
        if (m_writer)
            m_writer(line.bytes + "\r\n");
        if (line.whenSent)
            line.whenSent();
    }
    reportWaiting();
}

// Only real changes are reported: a line that goes at once changes nothing anybody sees.
void SendQueue::reportWaiting()
{
    if (waiting() == m_reported)
        return;
    m_reported = waiting();
    emit waitingChanged(m_reported);
}
