// Staying connected. After a login the server has accepted, the home channel is joined;
// a connection that ends without the user asking for it is tried again, after waits that
// grow, with the same server and login, and the client goes back to its last channel. A
// server that says nothing at all after the login is given up on.
#include "ui/frmMain.h"

#include "connection/ConnectionNotices.h"
#include "platform/ChatSocket.h"
#include "platform/WaitTimer.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/LogBoxWriters.h"
#include "ui/StatusLine.h"
#include "ui/frmConnect.h"

#include <QAction>
#include <QLineEdit>

using namespace ConnectionNotices;

namespace {
bool sameChannel(const QString& a, const QString& b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}
} // namespace

void frmMain::loadReconnectSetting()
{
    mnuReconnect->setChecked(readFlag(ConfigurationKey::ReconnectAutomatically, true));
}

// Switching the feature off also ends a wait that is under way.
void frmMain::mnuReconnect_Click()
{
    const bool on = !mnuReconnect->isChecked();
    mnuReconnect->setChecked(on);
    storeFlag(ConfigurationKey::ReconnectAutomatically, on);
    if (!on)
        changeState(Connection::Event::ReconnectSwitchedOff);
}

// Whichever window or item wrote a setting, a failed write is told in the chat log, once for
// each cause: toggling an item again in the same read-only folder adds nothing, a write that
// succeeds ends the cause.
void frmMain::settingWritten(bool stored, const QString& failure)
{
    if (stored) {
        m_settingsFailure.reset();
    } else if (m_settingsFailure != failure) {
        m_settingsFailure = failure;
        appendNotice(TxtGet, settingsNotSaved(failure), LineKind::Error);
    }
}

// 2010 NAME: the server accepted the login. The channel to go to is chosen now (the last
// one after a reconnection, else the home channel) and joined once the server has named
// the channel it put us in.
void frmMain::OnName(const ChatEvent&)
{
    changeState(Connection::Event::LoginAccepted);
}

// Runs after each channel line; only the first one after a login can cause a join.
void frmMain::joinAfterLogin()
{
    changeState(Connection::Event::ChannelEntered);
}

void frmMain::joinChosenChannel()
{
    const QString target = m_joinTarget.trimmed();
    if (!target.isEmpty() && !sameChannel(target, CurrentChannel))
        SendLine(QStringLiteral("/join ") + target);
}

// "Login failed." ends the login at once, before anything else is taken for a user name.
void frmMain::noteLoginRefused()
{
    changeState(Connection::Event::LoginRefused);
}

// The connect dialog again, with the login as it was typed, ready for another password.
void frmMain::offerLoginAgain()
{
    frmConnect* dialog = Forms<frmConnect>::get();
    dialog->UserNamet->setText(m_loginName);
    dialog->Passwordt->setText(m_loginPassword);
    dialog->txtChannel->setText(m_homeChannel);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    dialog->Passwordt->setFocus();
    dialog->Passwordt->selectAll();
}

void frmMain::noteLineTyped(const QString& text)
{
    if (ReconnectPolicy::asksToEndSession(text))
        changeState(Connection::Event::EndAsked);
}

// The connection has ended in a way the rules retry: the next attempt waits, and the chat
// log says how long.
void frmMain::startReconnectWait()
{
    const int wait = m_reconnectPolicy.nextWaitMs();
    appendNotice(TxtGet, reconnectingIn(wait), LineKind::Info);
    tmrReconnect->start(wait);
}

// The wait is over: the same server and the same login as before. The online controls
// are enabled as after a login from the connect dialog.
void frmMain::tmrReconnect_Timer()
{
    writeLogin();
    changeState(Connection::Event::ReconnectDue);
}

// Nothing has come since the login: the connection is dropped and handled as lost.
void frmMain::tmrSilence_Timer()
{
    appendNotice(TxtGet, serverSilent(SilenceLimitMs), LineKind::Error);
    BattleSock->Close();
    reportConnectionLost();
}
