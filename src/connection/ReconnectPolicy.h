#pragma once

#include <QString>

#include <functional>

// How soon the client connects again by itself after a connection ended (whether it does at
// all, the connection state's table decides: ConnectionState.h). The waits start at 2 s and double
// up to 60 s; each is moved by up to a tenth either way, so many clients dropped by one server
// restart do not all return at once.
class ReconnectPolicy {
public:
    static constexpr int FirstWaitMs = 2000;
    static constexpr int LongestWaitMs = 60000;

    // A number in [0, 1); each wait draws one.
    using RandomSource = std::function<double()>;

    // Without a source the waits are moved by the system's random generator.
    explicit ReconnectPolicy(RandomSource random = {});

    // The wait before the next attempt, in milliseconds; each call doubles the one after.
    int nextWaitMs();
    // A login was accepted again: the next run of retries starts at 2 s.
    void reset() { m_nextBaseMs = FirstWaitMs; }

    // The wait as the chat log names it: whole seconds.
    static int wholeSeconds(int milliseconds);

    // A line typed by the user that asks the server to end the session: "/logout" or
    // "/quit", in any letter case, alone or followed by a blank and more.
    static bool asksToEndSession(const QString& line);

private:
    RandomSource m_random;
    int m_nextBaseMs = FirstWaitMs;
};
