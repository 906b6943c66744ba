#include "connection/ConnectionState.h"

namespace Connection {

namespace {

constexpr unsigned of(State state)
{
    return 1u << unsigned(state);
}

constexpr unsigned Any = ~0u;
// A login has been written on the connection in use.
constexpr unsigned LoginWritten = of(State::LoggingIn) | of(State::Reconnecting) |
                                  of(State::Joining) | of(State::Online) | of(State::LoggingOut);

struct Row {
    unsigned from; // the states the row applies in
    Event event;
    State to;
    Actions actions;
    Status status;
};

using E = Event;
using S = State;
using St = Status;

// The first row that names the state and the event is followed.
constexpr Row Table[] = {
    // File > Connect: a new connection, whatever there was; it ends a wait to reconnect.
    {of(S::WaitingToReconnect), E::ConnectChosen, S::AwaitingLogin, NoticeStoppedReconnecting,
     St::NotConnected},
    {LoginWritten, E::ConnectChosen, S::AwaitingLogin, NoAction, St::NotConnected},
    {Any, E::ConnectChosen, S::AwaitingLogin, NoAction, St::Unchanged},

    // The login, from the dialog or again by itself after a loss.
    {Any, E::LoginSent, S::LoggingIn, WatchSilence, St::Unchanged},
    {of(S::WaitingToReconnect), E::ReconnectDue, S::Reconnecting, WatchSilence, St::Reconnecting},

    // The server's answer to it.
    {of(S::LoggingIn), E::LoginAccepted, S::Joining, ChooseHomeChannel, St::Unchanged},
    {of(S::Reconnecting), E::LoginAccepted, S::Joining, ChooseLastChannel | NoticeConnectedAgain,
     St::Unchanged},
    {of(S::Joining), E::ChannelEntered, S::Online, JoinChosenChannel, St::Unchanged},
    // Trying the same password again would only get the account locked.
    {of(S::LoggingIn), E::LoginRefused, S::Idle, CloseConnection | OfferLoginAgain,
     St::LoginFailed},
    {of(S::Reconnecting), E::LoginRefused, S::Idle,
     NoticeStoppedReconnecting | CloseConnection | OfferLoginAgain, St::LoginFailed},

    {of(S::LoggingIn) | of(S::Reconnecting) | of(S::Joining) | of(S::Online), E::EndAsked,
     S::LoggingOut, NoAction, St::Unchanged},

    // The end of a connection is retried only once a login on it, or in the same run of
    // retries, was accepted, and unless the user asked for it. A loss already reported
    // while waiting changes nothing.
    {of(S::Idle) | of(S::AwaitingLogin) | of(S::LoggingIn) | of(S::LoggingOut), E::ConnectionLost,
     S::Idle, NoAction, St::NotConnected},
    {of(S::Reconnecting), E::ConnectionLost, S::WaitingToReconnect, NoAction, St::Reconnecting},
    {of(S::Joining) | of(S::Online), E::ConnectionLost, S::WaitingToReconnect, RememberLastChannel,
     St::Reconnecting},

    // While waiting the connection is already gone and reported: Disconnect ends the wait.
    {of(S::WaitingToReconnect), E::DisconnectChosen, S::Idle, NoticeStoppedReconnecting,
     St::NotConnected},
    {Any, E::DisconnectChosen, S::Idle, NoticeLost | CloseConnection, St::NotConnected},
    {of(S::WaitingToReconnect), E::ReconnectSwitchedOff, S::Idle, NoticeStoppedReconnecting,
     St::NotConnected},

    // The program ends: the connection is dropped without a word.
    {Any, E::ExitChosen, S::Idle, CloseConnection, St::Unchanged},
};

} // namespace

Switches switchesOf(State state)
{
    // clang-format off
    //                               online disconnect queue  anti   wait   retry  list   silence
    constexpr Switches off          {false, false,     false, false, false, false, false, false};
    constexpr Switches loginWritten {true,  true,      true,  true,  false, false, true,  true};
    constexpr Switches reconnecting {true,  true,      true,  true,  false, true,  true,  true};
    constexpr Switches waiting      {false, true,      false, false, true,  true,  false, false};
    // clang-format on
    switch (state) {
    case State::Idle:
    case State::AwaitingLogin:
        return off;
    case State::Reconnecting:
        return reconnecting;
    case State::LoggingIn:
    case State::Joining:
    case State::Online:
    case State::LoggingOut:
        return loginWritten;
    case State::WaitingToReconnect:
        return waiting;
    }
    return off;
}

std::optional<Transition> transition(State from, Event event, bool reconnectOn)
{
    for (const Row& row : Table) {
        if (row.event != event || (row.from & of(from)) == 0)
            continue;
        if (row.to == State::WaitingToReconnect && !reconnectOn)
            return Transition{State::Idle, row.actions, Status::NotConnected};
        return Transition{row.to, row.actions, row.status};
    }
    return std::nullopt;
}

} // namespace Connection
