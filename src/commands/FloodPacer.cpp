#include "commands/FloodPacer.h"

FloodPacer::FloodPacer(Clock clock)
    : m_clock(std::move(clock))
{}

int FloodPacer::cost(qsizetype bytes, int wrapBytes)
{
    return bytes <= wrapBytes ? 1 : int((bytes + wrapBytes - 1) / wrapBytes);
}

qint64 FloodPacer::windowMs() const
{
    return m_limits.windowSeconds * qint64(1000) + WindowMarginMs;
}

// A line sent at `at` counts while now < at + window.
void FloodPacer::dropExpired(qint64 now)
{
    while (!m_sent.empty() && now >= m_sent.front().at + windowMs()) {
        m_units -= m_sent.front().units;
        m_sent.pop_front();
    }
}

qint64 FloodPacer::waitBefore(qsizetype bytes)
{
    if (!m_limits.enabled)
        return 0;
    const qint64 now = m_clock();
    dropExpired(now);
    const int units = cost(bytes, m_limits.wrapBytes);
    const auto fits = [&](int counted) { return counted == 0 || counted + units < m_limits.units; };
    int counted = m_units;
    if (fits(counted))
        return 0;
    // The lines drop out oldest first; the line may go once enough of them have.
    for (const SentLine& line : m_sent) {
        counted -= line.units;
        if (fits(counted))
            return line.at + windowMs() - now;
    }
    return 0; // not reached: with nothing counted every line fits
}

// Counted also while the protection is off, so switching it on takes effect at once.
void FloodPacer::sent(qsizetype bytes)
{
    const qint64 now = m_clock();
    dropExpired(now);
    const int units = cost(bytes, m_limits.wrapBytes);
    m_sent.push_back({now, units});
    m_units += units;
}

void FloodPacer::forget()
{
    m_sent.clear();
    m_units = 0;
}
