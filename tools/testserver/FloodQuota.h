#pragma once

#include <QByteArray>

#include <deque>

// The flood quota of one connection, with the server's stock numbers. Every line a
// logged-in user sends costs one unit per started WrapBytes bytes (at least one). The units
// of the lines received in the last Seconds seconds are kept, on a clock of whole seconds:
// a line received at second t is forgotten once the clock reads t + Seconds. When the units
// kept, the new line's included, reach Lines the line is refused (it still counts); when they
// reach DisconnectAt it is refused as well and the connection is to be closed. A line longer
// than MaxLine bytes is refused before it is counted.
class FloodQuota {
public:
    static constexpr int Lines = 5;
    static constexpr int Seconds = 5;
    static constexpr int WrapBytes = 40;
    static constexpr int MaxLine = 200;
    static constexpr int DisconnectAt = 10;

    enum class Verdict { Pass, LineTooLong, QuotaExceeded, Disconnect };

    // Judges one line received at `nowSeconds` and counts it unless it is too long.
    Verdict check(const QByteArray& line, qint64 nowSeconds);

private:
    struct Received {
        qint64 second;
        int units;
    };
    std::deque<Received> m_received;
    int m_units = 0;
};
