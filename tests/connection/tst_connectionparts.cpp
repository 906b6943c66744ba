// The pure parts of connecting: server addresses, the state table, the waits before
// reconnecting, and which typed lines end the session.
#include "connection/ConnectionState.h"
#include "connection/ReconnectPolicy.h"
#include "connection/ServerAddress.h"

#include <QMetaEnum>
#include <QTest>

#include <utility>

class tst_ConnectionParts : public QObject {
    Q_OBJECT

private slots:
    void serverAddresses_data();
    void serverAddresses();
    void stateTable_data();
    void stateTable();
    void whatEachStateSwitches_data();
    void whatEachStateSwitches();
    void waitsDoubleUpToAMinute_data();
    void waitsDoubleUpToAMinute();
    void linesThatEndTheSession_data();
    void linesThatEndTheSession();
};

// The host and port a text names; an empty host when it names no usable server.
void tst_ConnectionParts::serverAddresses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    const auto row = [](const char* name, const char* text, const char* host, int port) {
        QTest::newRow(name) << QString(text) << QString(host) << port;
    };
    row("host and port", "chat.example:7000", "chat.example", 7000);
    row("blanks around", "  10.1.2.3:6113 ", "10.1.2.3", 6113);
    row("ipv6 bare", "::1", "::1", 6112);
    row("ipv6 with port", "[::1]:7000", "::1", 7000);
    row("empty", "", "", 0);
    row("port zero", "host:0", "", 0);
    row("port too big", "host:65536", "", 0);
    row("port not a number", "host:abc", "", 0);
    row("no host", ":6112", "", 0);
    row("blank inside", "a host", "", 0);
    row("unclosed bracket", "[::1:7000", "", 0);
}

void tst_ConnectionParts::serverAddresses()
{
    QFETCH(QString, text);
    QFETCH(QString, host);
    QFETCH(int, port);
    const ServerAddress address = parseServerAddress(text);
    QCOMPARE(address.host, host);
    if (!host.isEmpty())
        QCOMPARE(int(address.port), port);
}

namespace {
using namespace Connection;

QStringList actionNames(Actions actions)
{
    static const std::pair<Action, const char*> names[] = {
        {NoticeLost, "lost"},
        {NoticeStoppedReconnecting, "stopped"},
        {NoticeConnectedAgain, "again"},
        {CloseConnection, "close"},
        {WatchSilence, "watch"},
        {RememberLastChannel, "remember"},
        {ChooseHomeChannel, "home"},
        {ChooseLastChannel, "last"},
        {JoinChosenChannel, "join"},
        {OfferLoginAgain, "dialog"},
    };
    QStringList got;
    for (const auto& [action, name] : names)
        if (actions & action)
            got << name;
    return got;
}

QStringList switchNames(const Switches& on)
{
    QStringList got;
    const std::pair<bool, const char*> names[] = {
        {on.onlineControls, "online"}, {on.disconnect, "disconnect"}, {on.sendQueue, "queue"},
        {on.antiIdle, "anti"},         {on.reconnectWait, "wait"},    {on.retryRun, "retry"},
        {on.userList, "list"},         {on.silenceWatch, "silence"},
    };
    for (const auto& [isOn, name] : names)
        if (isOn)
            got << name;
    return got;
}
} // namespace

// State x event -> state, the actions on the way and the status; `to` empty: no change.
void tst_ConnectionParts::stateTable_data()
{
    QTest::addColumn<State>("from");
    QTest::addColumn<Event>("event");
    QTest::addColumn<bool>("reconnectOn");
    QTest::addColumn<QString>("to");
    QTest::addColumn<QString>("actions");
    QTest::addColumn<Status>("status");
    const auto row = [](const char* tag, State from, Event event, bool on, const char* to,
                        const char* actions = "", Status status = Status::Unchanged) {
        QTest::newRow(tag) << from << event << on << QString(to) << QString(actions) << status;
    };
    using S = State;
    using E = Event;
    const Status keep = Status::Unchanged, none = Status::NotConnected,
                 retry = Status::Reconnecting, failed = Status::LoginFailed;
    row("connect at start", S::Idle, E::ConnectChosen, true, "AwaitingLogin");
    row("connect again", S::AwaitingLogin, E::ConnectChosen, true, "AwaitingLogin");
    row("connect while online", S::Online, E::ConnectChosen, true, "AwaitingLogin", "", none);
    row("connect ends a wait", S::WaitingToReconnect, E::ConnectChosen, true, "AwaitingLogin",
        "stopped", none);
    row("login from the dialog", S::AwaitingLogin, E::LoginSent, true, "LoggingIn", "watch");
    row("login after a failed attempt", S::Idle, E::LoginSent, true, "LoggingIn", "watch");
    row("login ends a wait", S::WaitingToReconnect, E::LoginSent, true, "LoggingIn", "watch");
    row("wait over", S::WaitingToReconnect, E::ReconnectDue, true, "Reconnecting", "watch", retry);
    row("stale wait", S::Idle, E::ReconnectDue, true, "");
    row("accepted", S::LoggingIn, E::LoginAccepted, true, "Joining", "home");
    row("accepted again", S::Reconnecting, E::LoginAccepted, true, "Joining", "again last");
    row("accepted without our login", S::Idle, E::LoginAccepted, true, "");
    row("accepted after /quit", S::LoggingOut, E::LoginAccepted, true, "");
    row("first channel", S::Joining, E::ChannelEntered, true, "Online", "join");
    row("later channel", S::Online, E::ChannelEntered, true, "");
    row("refused", S::LoggingIn, E::LoginRefused, true, "Idle", "close dialog", failed);
    row("refused again", S::Reconnecting, E::LoginRefused, true, "Idle", "stopped close dialog",
        failed);
    row("refused in a channel", S::Online, E::LoginRefused, true, "");
    row("refused before a login", S::AwaitingLogin, E::LoginRefused, true, "");
    row("/quit online", S::Online, E::EndAsked, true, "LoggingOut");
    row("/quit while logging in", S::LoggingIn, E::EndAsked, true, "LoggingOut");
    row("/quit while waiting", S::WaitingToReconnect, E::EndAsked, true, "");
    row("lost before a login", S::AwaitingLogin, E::ConnectionLost, true, "Idle", "", none);
    row("lost, never accepted", S::LoggingIn, E::ConnectionLost, true, "Idle", "", none);
    row("lost online", S::Online, E::ConnectionLost, true, "WaitingToReconnect", "remember", retry);
    row("lost online, no retries", S::Online, E::ConnectionLost, false, "Idle", "remember", none);
    row("lost joining", S::Joining, E::ConnectionLost, true, "WaitingToReconnect", "remember",
        retry);
    row("lost reconnecting", S::Reconnecting, E::ConnectionLost, true, "WaitingToReconnect", "",
        retry);
    row("lost reconnecting, switched off", S::Reconnecting, E::ConnectionLost, false, "Idle", "",
        none);
    row("lost after /quit", S::LoggingOut, E::ConnectionLost, true, "Idle", "", none);
    row("lost, bare connection", S::Idle, E::ConnectionLost, true, "Idle", "", none);
    row("lost, told already", S::WaitingToReconnect, E::ConnectionLost, true, "");
    row("disconnect online", S::Online, E::DisconnectChosen, true, "Idle", "lost close", none);
    row("disconnect logging in", S::LoggingIn, E::DisconnectChosen, true, "Idle", "lost close",
        none);
    row("disconnect while waiting", S::WaitingToReconnect, E::DisconnectChosen, true, "Idle",
        "stopped", none);
    row("switched off while waiting", S::WaitingToReconnect, E::ReconnectSwitchedOff, true, "Idle",
        "stopped", none);
    row("switched off online", S::Online, E::ReconnectSwitchedOff, true, "");
    row("exit online", S::Online, E::ExitChosen, true, "Idle", "close", keep);
    row("exit while waiting", S::WaitingToReconnect, E::ExitChosen, true, "Idle", "close", keep);
}

void tst_ConnectionParts::stateTable()
{
    QFETCH(State, from);
    QFETCH(Event, event);
    QFETCH(bool, reconnectOn);
    QFETCH(QString, to);
    QFETCH(QString, actions);
    QFETCH(Status, status);
    const std::optional<Transition> step = transition(from, event, reconnectOn);
    QCOMPARE(step.has_value(), !to.isEmpty());
    if (!step)
        return;
    QCOMPARE(QString(QMetaEnum::fromType<State>().valueToKey(int(step->to))), to);
    QCOMPARE(actionNames(step->actions).join(' '), actions);
    QCOMPARE(step->status, status);
}

void tst_ConnectionParts::whatEachStateSwitches_data()
{
    QTest::addColumn<State>("state");
    QTest::addColumn<QString>("on");
    const QString loggedIn = "online disconnect queue anti list silence";
    QTest::newRow("Idle") << State::Idle << "";
    QTest::newRow("AwaitingLogin") << State::AwaitingLogin << "";
    QTest::newRow("LoggingIn") << State::LoggingIn << loggedIn;
    QTest::newRow("Reconnecting") << State::Reconnecting
                                  << "online disconnect queue anti retry list silence";
    QTest::newRow("Joining") << State::Joining << loggedIn;
    QTest::newRow("Online") << State::Online << loggedIn;
    QTest::newRow("LoggingOut") << State::LoggingOut << loggedIn;
    QTest::newRow("WaitingToReconnect") << State::WaitingToReconnect << "disconnect wait retry";
}

void tst_ConnectionParts::whatEachStateSwitches()
{
    QFETCH(State, state);
    QFETCH(QString, on);
    QCOMPARE(switchNames(switchesOf(state)).join(' '), on);
}

void tst_ConnectionParts::waitsDoubleUpToAMinute_data()
{
    QTest::addColumn<double>("draw");
    QTest::addColumn<QList<int>>("waits");
    QTest::newRow("shortest") << 0.0 << QList<int>{1800, 3600, 7200, 14400, 28800, 54000, 54000};
    QTest::newRow("middle") << 0.5 << QList<int>{2000, 4000, 8000, 16000, 32000, 60000, 60000};
    // Never over a minute, also with a source that strays out of its range.
    QTest::newRow("beyond longest")
        << 7.0 << QList<int>{2200, 4400, 8800, 17600, 35200, 60000, 60000};
}

void tst_ConnectionParts::waitsDoubleUpToAMinute()
{
    QFETCH(double, draw);
    QFETCH(QList<int>, waits);
    ReconnectPolicy policy([draw] { return draw; });
    QList<int> got;
    for (qsizetype i = 0; i < waits.size(); ++i)
        got << policy.nextWaitMs();
    QCOMPARE(got, waits);
    policy.reset();
    QCOMPARE(policy.nextWaitMs(), waits.first());
}

// Lines that do end it are tested as typed (tst_reconnection).
void tst_ConnectionParts::linesThatEndTheSession_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("ends");
    QTest::newRow("leading blank is talk") << " /quit" << false;
    QTest::newRow("longer command") << "/quitter" << false;
    QTest::newRow("talk about it") << "I will /quit soon" << false;
}

void tst_ConnectionParts::linesThatEndTheSession()
{
    QFETCH(QString, line);
    QFETCH(bool, ends);
    QCOMPARE(ReconnectPolicy::asksToEndSession(line), ends);
}

QTEST_APPLESS_MAIN(tst_ConnectionParts)
#include "tst_connectionparts.moc"
