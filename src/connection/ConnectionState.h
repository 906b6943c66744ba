#pragma once

#include <QObject>

#include <optional>

// The connection's one state and the table that moves it.
//
// Everything that can change the connection is an event: a menu choice, a line from the
// server, news from the socket, a timer. In each state an event either follows one row of
// the table or, when no row names it there, changes nothing. A state says what is switched
// on while it lasts (Switches); a row says what happens once on the way (Action) and what
// the status line says afterwards. The main window carries both out in one place
// (frmMain::changeState); nothing here knows a window, so the table is tested on its own.
namespace Connection {
Q_NAMESPACE

enum class State {
    Idle,               // no connection
    AwaitingLogin,      // File > Connect has started a connection; no login written on it
    LoggingIn,          // the login is written; the server has not accepted it yet
    Reconnecting,       // the same, after a lost connection, written again by the client
    Joining,            // accepted; the channel to go to is joined once the server names ours
    Online,             // in a channel
    LoggingOut,         // the user typed /logout or /quit: the end that follows is his choice
    WaitingToReconnect, // the connection was lost; the next attempt waits for its timer
};
Q_ENUM_NS(State)

enum class Event {
    ConnectChosen,        // File > Connect
    LoginSent,            // the connect dialog has written the login
    ReconnectDue,         // the wait is over and the login has been written again
    LoginAccepted,        // the server's NAME line
    ChannelEntered,       // the server's CHANNEL line
    LoginRefused,         // the server's "Login failed."
    EndAsked,             // a typed /logout or /quit
    ConnectionLost,       // the attempt failed, the server closed, the line broke or fell silent
    DisconnectChosen,     // File > Disconnect
    ReconnectSwitchedOff, // Options > Reconnect Automatically unchecked
    ExitChosen,           // File > Exit
};
Q_ENUM_NS(Event)

// What is on while a state lasts; what is off is stopped, disabled or emptied on entry.
struct Switches {
    bool onlineControls = false; // Send, Whisper, Send/Whisper/Emote Text, Anti-Idle, and
                                 // Disconnect; Connect is always the other way
    bool disconnect = false;     // File > Disconnect (also while waiting, to end the wait)
    bool sendQueue = false;      // lines are taken once the connection is made; on closing,
                                 // the waiting ones are dropped and counted in the chat log
    bool antiIdle = false;       // the anti-idle timer runs while its item is checked
    bool reconnectWait = false;  // the wait before the next attempt; started on entry
    bool retryRun = false;       // the waits keep growing; outside a run they start afresh
    bool userList = false;       // the user list is kept; off, it is emptied
    bool silenceWatch = false;   // the watch on a silent server may run (the login starts it)
};

// What happens once on a change. The notices come after the count of the lines a closing
// send queue dropped, the dialog after everything else.
enum Action : unsigned {
    NoAction = 0,
    NoticeLost = 1u << 0,                // "Your connect to battle.net has been lost"
    NoticeStoppedReconnecting = 1u << 1, // "Stopped reconnecting."
    NoticeConnectedAgain = 1u << 2,      // "Connected again."
    CloseConnection = 1u << 3,
    WatchSilence = 1u << 4,        // the server's silence after the login is counted from now
    RememberLastChannel = 1u << 5, // the channel to go back to after reconnecting
    ChooseHomeChannel = 1u << 6,   // the channel to join: the home channel
    ChooseLastChannel = 1u << 7,   // ... the remembered one (the home channel when none)
    JoinChosenChannel = 1u << 8,   // unless the server put us there already
    OfferLoginAgain = 1u << 9,     // the connect dialog, as typed, to correct the password
};
using Actions = unsigned;

// The status line's connection part after a change.
enum class Status { Unchanged, NotConnected, Reconnecting, LoginFailed };
Q_ENUM_NS(Status)

struct Transition {
    State to = State::Idle;
    Actions actions = NoAction;
    Status status = Status::Unchanged;
};

Switches switchesOf(State state);

// The row that `event` follows in `from`; none when it changes nothing there. A loss that
// would be retried ends in Idle instead while automatic reconnection is switched off.
std::optional<Transition> transition(State from, Event event, bool reconnectOn);

} // namespace Connection
