#pragma once

#include <QString>

#include <functional>

// When and how soon the client connects again by itself after a connection ended.
//
// A connection is retried only when a login on it (or on an earlier connection of the same
// run of retries) was accepted and the user did not ask for the end: retrying after a
// refused login would only lock the account, and retrying after the user left would undo
// his choice. The waits start at 2 s and double up to 60 s; each is moved by up to a tenth
// either way, so many clients dropped by one server restart do not all return at once.
class ReconnectPolicy {
public:
    // What is known about the connection that ended.
    struct Ending {
        bool enabled = true;        // Options > "Reconnect Automatically" is checked
        bool loginAccepted = false; // the server accepted the login (its 2010 NAME line)
        bool loginRefused = false;  // the server answered "Login failed."
        bool userEnded = false;     // File > Disconnect or Exit, or a typed /logout or /quit
    };

    static constexpr int FirstWaitMs = 2000;
    static constexpr int LongestWaitMs = 60000;

    // A number in [0, 1); each wait draws one.
    using RandomSource = std::function<double()>;

    // Without a source the waits are moved by the system's random generator.
    explicit ReconnectPolicy(RandomSource random = {});

    static bool shouldReconnect(const Ending& ending);

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
