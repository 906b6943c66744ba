// The main window's connection states: idle at start and after a disconnection, awaiting
// login once File > Connect has started a connection, logged in once the login is sent.
#include "ui/frmMain.h"

#include "connection/ServerAddress.h"
#include "platform/ChatSocket.h"
#include "platform/WindowSystem.h"
#include "protocol/LogBoxWriters.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/frmConnect.h"

#include <QAction>
#include <QPushButton>
#include <QTimer>

namespace {
const QString LostNotice = QStringLiteral("Your connect to battle.net has been lost");
} // namespace

void frmMain::Form_Load()
{
    SetOnlineControls(false);
}

// The online controls are enabled together once logged in; Connect is always the opposite.
void frmMain::SetOnlineControls(bool online)
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

// Back to idle: the list, the status line and the anti-idle check mark stay as they are.
void frmMain::EnterIdleState()
{
    SetOnlineControls(false);
    tmrAnti->stop();
    tmrConnection->stop();
}

// Drops any connection there is and starts a new one, without waiting for it. What is left
// of the old connection's last line is thrown away with it.
void frmMain::StartConnection(const ServerAddress& server)
{
    if (m_connectionLost)
        ReportConnectionLost();
    BattleSock->Close();
    m_received.clear();
    BattleSock->setLocalPort(0);
    BattleSock->setRemoteHost(server.host);
    BattleSock->setRemotePort(server.port);
    BattleSock->Connect();
}

void frmMain::mnuConnect_Click()
{
    ServerAddress server = ParseServerAddress(
        ReadSetting(ConfigurationKey::Server, DefaultServer().toUtf8().constData()));
    if (server.host.isEmpty())
        server = ParseServerAddress(DefaultServer());
    StartConnection(server);

    frmConnect* dialog = Forms<frmConnect>::Get();
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
}

void frmMain::mnuDisconnect_Click()
{
    InsertAtCaret(TxtGet, LostNotice);
    BattleSock->Close();
    EnterIdleState();
}

// The attempt to connect failed: say so in the chat log and go back to idle. An open
// connect dialog stays open, so the user can fix the server and try again.
void frmMain::BattleSock_ConnectFailed(const QString& reason)
{
    AppendNotice(TxtGet, QStringLiteral("Could not connect to %1 (port %2): %3.")
                             .arg(BattleSock->remoteHost())
                             .arg(BattleSock->remotePort())
                             .arg(reason));
    EnterIdleState();
}

// The server closed the connection or it broke. What it sent last is final, so an
// unfinished last line (a prompt, say) is shown as a line of its own; the lost connection
// is reported after it, once every line that came before has been handled.
void frmMain::BattleSock_ConnectionLost()
{
    m_received.append(QByteArrayLiteral("\r\n"));
    m_connectionLost = true;
    DispatchUnlessRunning();
}

void frmMain::ReportConnectionLost()
{
    m_connectionLost = false;
    AppendNotice(TxtGet, LostNotice);
    EnterIdleState();
}

// Ends the program at once: the connection is dropped without another byte being sent,
// and a receive burst in progress stops at its next line.
void frmMain::mnuExit_Click()
{
    m_ending = true;
    tmrAnti->stop();
    BattleSock->Close();
    WindowSystem::EndProgram();
}
