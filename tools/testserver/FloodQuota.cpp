#include "FloodQuota.h"

FloodQuota::Verdict FloodQuota::check(const QByteArray& line, qint64 nowSeconds)
{
    if (line.size() > MaxLine)
        return Verdict::LineTooLong;
    while (!m_received.empty() && nowSeconds >= m_received.front().second + Seconds) {
        m_units -= m_received.front().units;
        m_received.pop_front();
    }
    const int units = line.size() > WrapBytes ? int((line.size() + WrapBytes - 1) / WrapBytes) : 1;
    m_received.push_back({nowSeconds, units});
    m_units += units;
    if (m_units >= DisconnectAt)
        return Verdict::Disconnect;
    return m_units >= Lines ? Verdict::QuotaExceeded : Verdict::Pass;
}
