// The main window's connection: File > Connect, the login, Disconnect, Exit and the news of
// the socket, each an event of the connection's state (ConnectionState.h), which changes
// here and only here.
#include "ui/frmMain.h"

#include "commands/FloodSettings.h"
#include "commands/SendQueue.h"
#include "connection/ConnectionNotices.h"
#include "connection/LoginSequence.h"
#include "connection/ServerAddress.h"
#include "platform/ChatSocket.h"
#include "platform/WaitTimer.h"
#include "platform/WindowSystem.h"
#include "protocol/LineDispatcher.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/LogBoxWriters.h"
#include "ui/StatusLine.h"
#include "ui/UserListBox.h"
#include "ui/frmConnect.h"

#include <QAction>
#include <QPushButton>
#include <QTimer>

#include <utility>

namespace {
QString lostNotice()
{
    return frmMain::tr("Your connect to battle.net has been lost");
}
} // namespace

void frmMain::Form_Load()
{
    setOnlineControls(false);
    loadReconnectSetting();
    outgoing->setLimits(readFloodLimits());
}

// The online controls are enabled together once logged in; Connect is always the opposite.
void frmMain::setOnlineControls(bool online)
{
    cmdSend->setEnabled(online);
    cmdWhisper->setEnabled(online);
    mnuSend->setEnabled(online);
    mnuEmote->setEnabled(online);
    mnuWhisper->setEnabled(online);
    mnuDisconnect->setEnabled(online);
    mnuAntiDisplay->setEnabled(online);
    mnuConnect->setEnabled(!online);
}

// Every change of the connection's state comes through here. The row of the table says
// what happens on the way; the new state says what is on while it lasts, and everything it
// does not name is stopped, disabled or emptied.
bool frmMain::changeState(Connection::Event event)
{
    using namespace Connection;
    const std::optional<Transition> step =
        transition(m_connection, event, mnuReconnect->isChecked());
    if (!step)
        return false;
    const Switches was = switchesOf(m_connection);
    const Switches on = switchesOf(step->to);
    const Actions does = step->actions;
    m_connection = step->to;

    if (was.sendQueue && !on.sendQueue)
        stopSendingLines();
    if (does & NoticeLost)
        appendOpenText(TxtGet, lostNotice(), LineKind::Info);
    if (does & NoticeStoppedReconnecting)
        appendNotice(TxtGet, ConnectionNotices::stoppedReconnecting(), LineKind::Info);
    if (does & NoticeConnectedAgain)
        appendNotice(TxtGet, ConnectionNotices::connectedAgain(), LineKind::Info);
    if (does & CloseConnection)
        BattleSock->Close();
    if (does & RememberLastChannel)
        m_rejoinChannel = CurrentChannel;
    if (does & ChooseHomeChannel)
        m_joinTarget = m_homeChannel;
    if (does & ChooseLastChannel)
        m_joinTarget = m_rejoinChannel.trimmed().isEmpty() ? m_homeChannel : m_rejoinChannel;
    if (does & JoinChosenChannel)
        joinChosenChannel();

    setOnlineControls(on.onlineControls);
    mnuDisconnect->setEnabled(on.disconnect);
    // A login with the item checked starts a full interval; one that goes on keeps it.
    if (!on.antiIdle)
        tmrAnti->stop();
    else if (mnuAntiDisplay->isChecked() && !tmrAnti->isActive())
        tmrAnti->start();
    if (!on.onlineControls)
        tmrConnection->stop();
    if (does & WatchSilence)
        tmrSilence->start(SilenceLimitMs);
    else if (!on.silenceWatch)
        tmrSilence->stop();
    if (!on.userList)
        RoomList->clear();
    if (!on.retryRun)
        m_reconnectPolicy.reset();
    showConnectionStatus(step->status);
    if (!on.reconnectWait)
        tmrReconnect->stop();
    else if (!was.reconnectWait)
        startReconnectWait();
    if (does & OfferLoginAgain)
        offerLoginAgain();
    return true;
}

void frmMain::showConnectionStatus(Connection::Status status)
{
    switch (status) {
    case Connection::Status::Unchanged:
        break;
    case Connection::Status::NotConnected:
        StatusBar1->setSimpleText(ConnectionNotices::notConnectedStatus());
        break;
    case Connection::Status::Reconnecting:
        StatusBar1->setSimpleText(ConnectionNotices::reconnectingStatus());
        break;
    case Connection::Status::LoginFailed:
        StatusBar1->setSimpleText(ConnectionNotices::loginFailedStatus());
        break;
    }
}

// Drops any connection there is and starts a new one, without waiting for it. The lines
// waiting for the old one are not sent on the new one.
void frmMain::startConnection(const ServerAddress& server)
{
    m_receive->startAfresh();
    stopSendingLines();
    BattleSock->Close();
    BattleSock->setLocalPort(0);
    BattleSock->setRemoteHost(server.host);
    BattleSock->setRemotePort(server.port);
    BattleSock->Connect();
}

void frmMain::mnuConnect_Click()
{
    ServerAddress server = parseServerAddress(
        readSetting(ConfigurationKey::Server, defaultServer().toUtf8().constData()));
    if (server.host.isEmpty())
        server = parseServerAddress(defaultServer());
    startConnection(server);
    // After the start: it may first report the end of an old connection, which can start a
    // wait to reconnect; the user's choice replaces it.
    changeState(Connection::Event::ConnectChosen);

    Forms<frmConnect>::showActive();
}

void frmMain::mnuDisconnect_Click()
{
    changeState(Connection::Event::DisconnectChosen);
}

// The attempt to connect failed: say so in the chat log and go back to idle, or wait for
// the next attempt of a reconnection. An open connect dialog stays open, so the user can
// fix the server and try again; while it is open, the failure of File > Connect's own
// attempt is not reported, as the user has not chosen a server yet.
void frmMain::BattleSock_ConnectFailed(const QString& reason)
{
    const bool quiet = m_connection == Connection::State::AwaitingLogin &&
                       Forms<frmConnect>::isLoaded() && Forms<frmConnect>::get()->isVisible();
    if (!quiet)
        appendNotice(TxtGet,
                     tr("Could not connect to %1 (port %2): %3.")
                         .arg(BattleSock->remoteHost())
                         .arg(BattleSock->remotePort())
                         .arg(reason),
                     LineKind::Error);
    changeState(Connection::Event::ConnectionLost);
}

// The server closed the connection or it broke: the receive path shows what came before
// and then reports it. Nothing more can be sent on it from now on.
void frmMain::BattleSock_ConnectionLost()
{
    m_unsentAtLoss += discardWaitingLines();
    m_receive->endOfStream();
}

// A loss reported while waiting to reconnect is one already told.
void frmMain::reportConnectionLost()
{
    const int unsent = std::exchange(m_unsentAtLoss, 0);
    if (!Connection::transition(m_connection, Connection::Event::ConnectionLost, true))
        return;
    appendNotice(TxtGet, lostNotice(), LineKind::Error);
    tellUnsentLines(unsent);
    changeState(Connection::Event::ConnectionLost);
}

void frmMain::logIn(const ServerAddress& server, const QString& name, const QString& password)
{
    m_loginServer = server;
    m_loginName = name;
    m_loginPassword = password;
    writeLogin();
    changeState(Connection::Event::LoginSent);
}

// The dialog's server steers the connection: when another one was chosen there, or the
// earlier attempt has ended, it is connected to first. While the connection is still being
// made the socket queues the login.
void frmMain::writeLogin()
{
    if (BattleSock->state() == ChatSocket::State::Closed ||
        BattleSock->remoteHost() != m_loginServer.host ||
        BattleSock->remotePort() != m_loginServer.port)
        startConnection(m_loginServer);
    for (const QByteArray& write : loginWrites(m_loginName, m_loginPassword))
        sendToServer(write);
}

bool frmMain::sendToServer(const QByteArray& bytes)
{
    return BattleSock->SendData(bytes);
}

// Ends the program at once: the connection is dropped without another byte being sent or
// a word in the chat log, and a receive burst in progress stops at its next line.
void frmMain::mnuExit_Click()
{
    m_receive->stop();
    discardWaitingLines();
    changeState(Connection::Event::ExitChosen);
    WindowSystem::endProgram();
}
