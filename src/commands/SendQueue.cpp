#include "commands/SendQueue.h"

#include <limits>

SendQueue::SendQueue(FloodPacer::Clock clock, QObject* parent)
    : QObject(parent)
    , m_pacer(std::move(clock))
{
    m_timer.setSingleShot(true);
    // A coarse timer may fire a little early; the pacer would then only set it again.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &SendQueue::Pump);
}

void SendQueue::setLimits(const FloodLimits& limits)
{
    m_pacer.setLimits(limits);
    Pump();
}

void SendQueue::Enqueue(Line line)
{
    m_lines.push_back(std::move(line));
    Pump();
}

int SendQueue::Discard()
{
    m_timer.stop();
    m_pacer.Forget();
    const int discarded = Waiting();
    m_lines.clear();
    ReportWaiting();
    return discarded;
}

void SendQueue::Pump()
{
    m_timer.stop();
    while (!m_lines.empty()) {
        const qint64 wait = m_pacer.WaitBefore(m_lines.front().bytes.size());
        if (wait > 0) {
            m_timer.start(int(qMin<qint64>(wait, std::numeric_limits<int>::max())));
            break;
        }
        // Taken off the queue first: what runs below may queue or discard lines itself.
        Line line = std::move(m_lines.front());
        m_lines.pop_front();
        m_pacer.Sent(line.bytes.size());
        if (m_writer)
            m_writer(line.bytes + "\r\n");
        if (line.whenSent)
            line.whenSent();
    }
    ReportWaiting();
}

// Only real changes are reported: a line that goes at once changes nothing anybody sees.
void SendQueue::ReportWaiting()
{
    if (Waiting() == m_reported)
        return;
    m_reported = Waiting();
    emit WaitingChanged(m_reported);
}
