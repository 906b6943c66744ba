// The main window's connection states: idle at start and after a disconnection, awaiting
// login once File > Connect has started a connection, logged in once the login is sent.
#include "ui/frmMain.h"

#include "commands/FloodSettings.h"
#include "commands/SendQueue.h"
#include "connection/ConnectionNotices.h"
#include "connection/LoginSequence.h"
#include "connection/ServerAddress.h"
#include "platform/ChatSocket.h"
#include "platform/WaitTimer.h"
#include "platform/WindowSystem.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/LogBoxWriters.h"
#include "ui/StatusLine.h"
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

// Back to idle: the list and the anti-idle check mark stay as they are; the status line
// says that there is no connection, naming the channel the list still shows. Lines still
// waiting cannot go out any more.
void frmMain::enterIdleState()
{
    stopSendingLines();
    setOnlineControls(false);
    tmrAnti->stop();
    tmrConnection->stop();
    tmrSilence->stop();
    StatusBar1->setSimpleText(ConnectionNotices::notConnectedStatus(CurrentChannel));
}

// Drops any connection there is and starts a new one, without waiting for it. The lines
// waiting for the old one are not sent on the new one.
void frmMain::startConnection(const ServerAddress& server)
{
    startReceivingAfresh();
    stopSendingLines();
    BattleSock->Close();
    forgetConnectionFacts();
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
    stopReconnecting();
    // Started before the user has chosen a server: while the dialog is open, its failure
    // is no news (see BattleSock_ConnectFailed).
    m_quietAttempt = true;

    frmConnect* dialog = Forms<frmConnect>::get();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

// While waiting to reconnect, the connection is already gone and reported: Disconnect
// only ends the wait.
void frmMain::mnuDisconnect_Click()
{
    if (isWaitingToReconnect()) {
        stopReconnecting();
        return;
    }
    stopSendingLines();
    appendOpenText(TxtGet, lostNotice());
    BattleSock->Close();
    stopReconnecting();
    enterIdleState();
}

// The attempt to connect failed: say so in the chat log and go back to idle, or wait for
// the next attempt of a reconnection. An open connect dialog stays open, so the user can
// fix the server and try again; while it is open, the failure of File > Connect's own
// attempt is not reported, as the user has not chosen a server yet.
void frmMain::BattleSock_ConnectFailed(const QString& reason)
{
    const bool quiet =
        m_quietAttempt && Forms<frmConnect>::isLoaded() && Forms<frmConnect>::get()->isVisible();
    if (!quiet)
        appendNotice(TxtGet, tr("Could not connect to %1 (port %2): %3.")
                                 .arg(BattleSock->remoteHost())
                                 .arg(BattleSock->remotePort())
                                 .arg(reason));
    enterIdleState();
    scheduleReconnect();
}

// The server closed the connection or it broke: the receive path shows what came before
// and then reports it.
void frmMain::BattleSock_ConnectionLost()
{
    m_loginSent = false;
    m_unsentAtLoss += discardWaitingLines();
    receiveEndOfStream();
}

void frmMain::reportConnectionLost()
{
    appendNotice(TxtGet, lostNotice());
    tellUnsentLines(std::exchange(m_unsentAtLoss, 0));
    enterIdleState();
    scheduleReconnect();
}

// The dialog's server steers the connection: when another one was chosen there, or the
// earlier attempt has ended, it is connected to first. While the connection is still being
// made the socket queues the login.
void frmMain::logIn(const ServerAddress& server, const QString& name, const QString& password)
{
    if (BattleSock->state() == ChatSocket::State::Closed ||
        BattleSock->remoteHost() != server.host || BattleSock->remotePort() != server.port)
        startConnection(server);
    for (const QByteArray& write : loginWrites(name, password))
        sendToServer(write);
    m_loginSent = true;
    setOnlineControls(true);
    loginSent(server, name, password);
}

bool frmMain::sendToServer(const QByteArray& bytes)
{
    return BattleSock->SendData(bytes);
}

// Ends the program at once: the connection is dropped without another byte being sent,
// and a receive burst in progress stops at its next line.
void frmMain::mnuExit_Click()
{
    m_ending = true;
    tmrAnti->stop();
    tmrSilence->stop();
    tmrReconnect->stop();
    discardWaitingLines();
    BattleSock->Close();
    WindowSystem::endProgram();
}
