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
#include "ui/LogBox.h"
#include "ui/LogBoxWriters.h"
#include "ui/StatusLine.h"

#include <QAction>

using namespace ConnectionNotices;

namespace {
bool sameChannel(const QString& a, const QString& b)
{
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}
} // namespace

void frmMain::loadReconnectSetting()
{
    mnuReconnect->setChecked(readSetting(ConfigurationKey::ReconnectAutomatically, "1") !=
                             QLatin1String("0"));
}

// Switching the feature off also ends a wait that is under way.
void frmMain::mnuReconnect_Click()
{
    const bool on = !mnuReconnect->isChecked();
    mnuReconnect->setChecked(on);
    QString failure;
    if (!storeSetting(ConfigurationKey::ReconnectAutomatically,
                      on ? QStringLiteral("1") : QStringLiteral("0"), &failure))
        reportSettingsNotSaved(failure);
    if (!on)
        stopReconnecting();
}

void frmMain::reportSettingsNotSaved(const QString& reason)
{
    appendNotice(TxtGet, settingsNotSaved(reason));
}

// A new connection: what was learnt about the one before does not hold for it.
void frmMain::forgetConnectionFacts()
{
    m_loginAccepted = false;
    m_loginRefused = false;
    m_userEnded = false;
    m_quietAttempt = false;
    m_joinPending = false;
    tmrSilence->stop();
}

// The login has been handed to the socket: remember it for a reconnection, and start
// counting the server's silence. A wait to reconnect still pending is overtaken by it.
void frmMain::loginSent(const ServerAddress& server, const QString& name, const QString& password)
{
    tmrReconnect->stop();
    m_quietAttempt = false;
    m_loginServer = server;
    m_loginName = name;
    m_loginPassword = password;
    tmrSilence->start(SilenceLimitMs);
}

// 2010 NAME: the server accepted the login. The channel to go to is decided now (the last
// one after a reconnection, else the home channel) and joined once the server has named
// the channel it put us in.
void frmMain::OnName(const ChatEvent&)
{
    m_loginAccepted = true;
    m_joinTarget =
        m_reconnecting && !m_rejoinChannel.trimmed().isEmpty() ? m_rejoinChannel : m_homeChannel;
    m_joinPending = !m_joinTarget.trimmed().isEmpty();
    if (m_reconnecting) {
        m_reconnecting = false;
        m_reconnectPolicy.reset();
        appendNotice(TxtGet, connectedAgain());
    }
}

// Runs after each channel line; only the first one after a login can cause a join.
void frmMain::joinAfterLogin()
{
    if (!m_joinPending)
        return;
    m_joinPending = false;
    if (!sameChannel(m_joinTarget, CurrentChannel))
        SendLine(QStringLiteral("/join ") + m_joinTarget.trimmed());
}

// Trying the same password again would only get the account locked.
void frmMain::noteLoginRefused()
{
    m_loginRefused = true;
    stopReconnecting();
}

void frmMain::noteLineTyped(const QString& text)
{
    if (ReconnectPolicy::asksToEndSession(text))
        m_userEnded = true;
}

// After a connection ended or an attempt failed: waits before the next attempt when the
// rules allow one, and says so.
void frmMain::scheduleReconnect()
{
    const ReconnectPolicy::Ending ending{
        mnuReconnect->isChecked(), m_loginAccepted || m_reconnecting, m_loginRefused, m_userEnded};
    if (!ReconnectPolicy::shouldReconnect(ending)) {
        stopReconnecting();
        return;
    }
    if (!m_reconnecting)
        m_rejoinChannel = CurrentChannel;
    m_reconnecting = true;
    const int wait = m_reconnectPolicy.nextWaitMs();
    appendNotice(TxtGet, reconnectingIn(wait));
    StatusBar1->setSimpleText(reconnectingStatus(m_rejoinChannel));
    tmrReconnect->start(wait);
    // Disconnect is how the user stops the wait.
    mnuDisconnect->setEnabled(true);
}

// Ends the run of retries. A wait that was under way ends with a line in the chat log, and
// the window shows plainly that it is not connected.
void frmMain::stopReconnecting()
{
    const bool waiting = isWaitingToReconnect();
    tmrReconnect->stop();
    m_reconnecting = false;
    m_reconnectPolicy.reset();
    if (waiting) {
        appendNotice(TxtGet, stoppedReconnecting());
        enterIdleState();
    }
}

bool frmMain::isWaitingToReconnect() const
{
    return tmrReconnect->isActive();
}

// The wait is over: the same server and the same login as before. The online controls
// are enabled as after a login from the connect dialog.
void frmMain::tmrReconnect_Timer()
{
    logIn(m_loginServer, m_loginName, m_loginPassword);
    StatusBar1->setSimpleText(reconnectingStatus(m_rejoinChannel));
}

// Nothing has come since the login: the connection is dropped and handled as lost.
void frmMain::tmrSilence_Timer()
{
    appendNotice(TxtGet, serverSilent(SilenceLimitMs));
    BattleSock->Close();
    reportConnectionLost();
}
