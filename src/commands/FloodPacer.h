#pragma once

#include "commands/FloodLimits.h"

#include <QtGlobal>

#include <deque>
#include <functional>

// Decides when a line may go to the server without breaking its flood quota. A line costs
// one unit per started wrapBytes bytes (at least one); it may go while the units of the lines
// sent within the window plus its own stay below the limit. A line that costs the limit or
// more on its own goes once nothing else counts, so it cannot block the lines behind it.
//
// The clock is injected (milliseconds, never going back), so tests move time on themselves.
class FloodPacer {
public:
    using Clock = std::function<qint64()>;

    // Added to the server's window. The server stamps a line with the whole second it reads
    // it in and forgets it once its clock reads that second plus the window, so on its side
    // a line counts for at most the window, measured from its arrival. What this side cannot
    // see is the way there: a line held up on the way (a lost packet sent again, a busy
    // server loop) reaches the server later than the next one would suggest, and a server
    // that counts its boundary second inclusively keeps a line up to a second longer. One
    // second covers either, and costs a user who types at a normal pace nothing: only the
    // fifth quick line waits.
    static constexpr qint64 WindowMarginMs = 1000;

    explicit FloodPacer(Clock clock);
    void setClock(Clock clock) { m_clock = std::move(clock); }

    void setLimits(const FloodLimits& limits) { m_limits = limits; }
    const FloodLimits& limits() const { return m_limits; }

    static int cost(qsizetype bytes, int wrapBytes);

    // Milliseconds until a line of `bytes` bytes (line end not counted) may go; 0 for now.
    qint64 waitBefore(qsizetype bytes);
    // The line has been handed to the connection now.
    void sent(qsizetype bytes);
    // Forgets the lines sent so far, for a new connection.
    void forget();

private:
    qint64 windowMs() const;
    void dropExpired(qint64 now);

    struct SentLine {
        qint64 at;
        int units;
    };
    Clock m_clock;
    FloodLimits m_limits;
    std::deque<SentLine> m_sent; // oldest first
    int m_units = 0;             // of the lines in m_sent
};
