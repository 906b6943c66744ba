#include "commands/FloodPacer.h"

FloodPacer::FloodPacer(Clock clock)
    : m_clock(std::move(clock))
{}

int FloodPacer::Cost(qsizetype bytes, int wrapBytes)
{
    return bytes <= wrapBytes ? 1 : int((bytes + wrapBytes - 1) / wrapBytes);
}

qint64 FloodPacer::WindowMs() const
{
    return m_limits.windowSeconds * qint64(1000) + WindowMarginMs;
}

// A line sent at `at` counts while now < at + window.
void FloodPacer::DropExpired(qint64 now)
{
    while (!m_sent.empty() && now >= m_sent.front().at + WindowMs()) {
        m_units -= m_sent.front().units;
        m_sent.pop_front();
    }
}

qint64 FloodPacer::WaitBefore(qsizetype bytes)
{
    if (!m_limits.enabled)
        return 0;
    const qint64 now = m_clock();
    DropExpired(now);
    const int cost = Cost(bytes, m_limits.wrapBytes);
    const auto fits = [&](int counted) { return counted == 0 || counted + cost < m_limits.units; };
    int counted = m_units;
    if (fits(counted))
        return 0;
    // The lines drop out oldest first; the line may go once enough of them have.
    for (const SentLine& line : m_sent) {
        counted -= line.units;
        if (fits(counted))
            return line.at + WindowMs() - now;
    }
    return 0; // not reached: with nothing counted every line fits
}

// Counted also while the protection is off, so switching it on takes effect at once.
void FloodPacer::Sent(qsizetype bytes)
{
    const qint64 now = m_clock();
    DropExpired(now);
    const int cost = Cost(bytes, m_limits.wrapBytes);
    m_sent.push_back({now, cost});
    m_units += cost;
}

void FloodPacer::Forget()
{
    m_sent.clear();
    m_units = 0;
}
