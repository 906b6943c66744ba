#include "connection/ReconnectPolicy.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cmath>
#include <utility>

namespace {
// How far a wait is moved at most, as a share of it.
constexpr double Spread = 0.1;
} // namespace

ReconnectPolicy::ReconnectPolicy(RandomSource random)
    : m_random(std::move(random))
{
    if (!m_random)
        m_random = [] { return QRandomGenerator::global()->generateDouble(); };
}

int ReconnectPolicy::nextWaitMs()
{
    const int base = m_nextBaseMs;
    m_nextBaseMs = std::min(2 * m_nextBaseMs, LongestWaitMs);
    const double draw = std::clamp(m_random(), 0.0, 1.0);
    const double moved = base * (1.0 - Spread + 2.0 * Spread * draw);
    return std::min(LongestWaitMs, int(std::lround(moved)));
}

int ReconnectPolicy::wholeSeconds(int milliseconds)
{
    return std::max(1, int(std::lround(milliseconds / 1000.0)));
}

// The server reads a command as the word from the leading slash to the first blank; a line
// that starts with a blank is talk.
bool ReconnectPolicy::asksToEndSession(const QString& line)
{
    const QStringView command = QStringView(line).left(line.indexOf(QLatin1Char(' ')));
    return command.compare(u"/logout", Qt::CaseInsensitive) == 0 ||
           command.compare(u"/quit", Qt::CaseInsensitive) == 0;
}
