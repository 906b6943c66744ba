// Staying connected, against a chat server on 127.0.0.1: the home channel after the login,
// automatic reconnection and when it must not happen, the check item, the silent-server
// watchdog, the status line after a loss and the socket's keep-alive. Waits run on a hand
// clock, so a test of minutes takes milliseconds.
#include "ClientHarness.h"

#include "platform/ChatSocket.h"
#include "platform/WaitTimer.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/Forms.h"
#include "ui/frmConnect.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

#include <memory>

#ifdef Q_OS_LINUX
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

namespace {
const QByteArray Login("\x03\x04\r\n\r\nalice\r\npw\r\n");
const QString LostNotice("Your connect to battle.net has been lost");
const QString InChannel("You are connected to battle.net in channel: ");

// How the connection ends without the user asking for it.
enum class Loss { ShutDown, Closed };
// What happens on the way that must stop the client from reconnecting.
enum class Stop {
    Disconnect,
    Exit,
    TypedLogout,
    TypedQuit,
    SwitchedOff,
    DisconnectInWait,
    ConnectInWait,
    SwitchedOffInWait,
    RefusedOnReconnect
};
} // namespace

Q_DECLARE_METATYPE(Loss)
Q_DECLARE_METATYPE(Stop)

class tst_Reconnection : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void homeChannelIsJoined_data();
    void homeChannelIsJoined();
    void reconnectsToTheLastChannel_data();
    void reconnectsToTheLastChannel();
    void waitsGrowWhileTheServerIsDown();
    void neverReconnects_data();
    void neverReconnects();
    void checkItemIsStored();
    void silentServerIsDropped_data();
    void silentServerIsDropped();
    void keepAliveIsOnWithShortTimes();

private:
    void logIn(const QString& homeChannel, const QString& password = QStringLiteral("pw"));
    void loseConnection(Loss loss);
    void restartServer();
    // Moves the hand clock past the pending wait, then lets the attempt run.
    void passTheWait();
    bool onlineControlsEnabled() const;
    int sessionsAfterAMinute();

    std::unique_ptr<ClientHarness> h;
    quint16 m_port = 0;
};

void tst_Reconnection::init()
{
    WaitTimer::UseHandClock(true);
    h = std::make_unique<ClientHarness>();
    m_port = h->server.serverPort();
    StoreSetting(ConfigurationKey::Server, h->serverAddress());
}

void tst_Reconnection::cleanup()
{
    h.reset();
    WaitTimer::UseHandClock(false);
}

void tst_Reconnection::logIn(const QString& homeChannel, const QString& password)
{
    h->main->mnuConnect->trigger();
    frmConnect* dialog = Forms<frmConnect>::Get();
    dialog->UserNamet->setText(QStringLiteral("alice"));
    dialog->Passwordt->setText(password);
    dialog->txtChannel->setText(homeChannel);
    dialog->cmdConnect->click();
}

void tst_Reconnection::loseConnection(Loss loss)
{
    const qsizetype losses = h->chatLog().count(LostNotice);
    if (loss == Loss::ShutDown)
        h->server.shutDown();
    else
        h->server.closeSession();
    QTRY_COMPARE(h->chatLog().count(LostNotice), losses + 1);
}

void tst_Reconnection::restartServer()
{
    QVERIFY(h->server.listen(m_port));
}

void tst_Reconnection::passTheWait()
{
    QVERIFY(h->main->tmrReconnect->isActive());
    WaitTimer::AdvanceHandClock(h->main->tmrReconnect->interval());
    QVERIFY(!h->main->tmrReconnect->isActive());
}

bool tst_Reconnection::onlineControlsEnabled() const
{
    return h->main->cmdSend->isEnabled() && h->main->mnuSend->isEnabled() &&
           !h->main->mnuConnect->isEnabled();
}

// Sessions the server has seen once a minute has passed on the hand clock.
int tst_Reconnection::sessionsAfterAMinute()
{
    WaitTimer::AdvanceHandClock(60000);
    QTest::qWait(50);
    return h->server.sessionCount();
}

void tst_Reconnection::homeChannelIsJoined_data()
{
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("channel");
    QTest::addColumn<QByteArray>("afterLogin");
    QTest::newRow("joined") << "Vantric Test"
                            << "Vantric Test" << QByteArray("/join Vantric Test\r\n");
    QTest::newRow("blanks around") << "  Vantric Test "
                                   << "Vantric Test" << QByteArray("/join Vantric Test\r\n");
    QTest::newRow("empty") << ""
                           << "Chat" << QByteArray();
    QTest::newRow("only blanks") << "   "
                                 << "Chat" << QByteArray();
    QTest::newRow("already there") << "chat"
                                   << "Chat" << QByteArray();
}

void tst_Reconnection::homeChannelIsJoined()
{
    QFETCH(QString, home);
    QFETCH(QString, channel);
    QFETCH(QByteArray, afterLogin);
    logIn(home);
    QTRY_VERIFY(h->status().startsWith(InChannel + channel + "."));
    QTest::qWait(50);
    QCOMPARE(h->server.received(), Login + afterLogin);
    QCOMPARE(h->server.channelOf("alice"), channel);
}

void tst_Reconnection::reconnectsToTheLastChannel_data()
{
    QTest::addColumn<Loss>("loss");
    QTest::newRow("server shut down and restarted") << Loss::ShutDown;
    QTest::newRow("server closed the connection") << Loss::Closed;
}

void tst_Reconnection::reconnectsToTheLastChannel()
{
    QFETCH(Loss, loss);
    logIn("Vantric Test");
    QTRY_VERIFY(h->status().startsWith(InChannel + "Vantric Test."));
    // The channel the user went to afterwards is the one to go back to.
    h->main->TxtSend->setText("/join Elsewhere");
    h->main->cmdSend->click();
    QTRY_VERIFY(h->status().startsWith(InChannel + "Elsewhere."));
    const QStringList users = h->userList();

    const qsizetype before = h->chatLog().size();
    loseConnection(loss);
    QVERIFY(
        h->chatLog().mid(before).endsWith(LostNotice + "\r\nReconnecting in 2 seconds\u2026\r\n"));
    QCOMPARE(h->status(), QString("Not connected, reconnecting\u2026 Last channel: Elsewhere"));
    QCOMPARE(h->userList(), users);
    QVERIFY(!onlineControlsEnabled());
    QVERIFY(h->main->mnuDisconnect->isEnabled());
    if (loss == Loss::ShutDown)
        restartServer();

    const int sessions = h->server.sessionCount();
    passTheWait();
    // The login goes out again as from the dialog, with the online controls.
    QVERIFY(onlineControlsEnabled());
    QTRY_COMPARE(h->server.sessionCount(), sessions + 1);
    QTRY_VERIFY(h->status().startsWith(InChannel + "Elsewhere."));
    QVERIFY(h->chatLog().mid(before).contains("\r\nConnected again.\r\n"));
    QCOMPARE(h->server.received(), Login + "/join Elsewhere\r\n");
    QCOMPARE(h->server.channelOf("alice"), QString("Elsewhere"));
}

void tst_Reconnection::waitsGrowWhileTheServerIsDown()
{
    logIn("");
    QTRY_VERIFY(h->status().startsWith(InChannel + "Chat."));
    loseConnection(Loss::ShutDown);

    const QString refused = QString("Could not connect to 127.0.0.1 (port %1): the server "
                                    "refused the connection.\r\n")
                                .arg(m_port);
    int base = 2000;
    for (int attempt = 0; attempt < 7; ++attempt) {
        const int wait = h->main->tmrReconnect->interval();
        QVERIFY2(wait >= base * 9 / 10 && wait <= qMin(60000, base * 11 / 10),
                 qPrintable(QString("attempt %1 waits %2 ms").arg(attempt).arg(wait)));
        QVERIFY(h->chatLog().endsWith(
            QString("Reconnecting in %1 seconds\u2026\r\n").arg(qRound(wait / 1000.0))));
        passTheWait();
        QTRY_VERIFY(h->main->tmrReconnect->isActive());
        QVERIFY(h->chatLog().contains(refused + "Reconnecting in"));
        QVERIFY(!onlineControlsEnabled());
        base = qMin(60000, base * 2);
    }
    QVERIFY(h->status().endsWith("Last channel: Chat"));

    // Back: an accepted login starts the waits again from 2 s.
    restartServer();
    passTheWait();
    QTRY_VERIFY(h->chatLog().contains("\r\nConnected again.\r\n"));
    loseConnection(Loss::Closed);
    const int again = h->main->tmrReconnect->interval();
    QVERIFY2(again >= 1800 && again <= 2200, qPrintable(QString::number(again)));
}

void tst_Reconnection::neverReconnects_data()
{
    QTest::addColumn<Stop>("stop");
    QTest::newRow("File > Disconnect") << Stop::Disconnect;
    QTest::newRow("File > Exit") << Stop::Exit;
    QTest::newRow("typed /logout") << Stop::TypedLogout;
    QTest::newRow("typed /quit") << Stop::TypedQuit;
    QTest::newRow("switched off") << Stop::SwitchedOff;
    QTest::newRow("Disconnect during the wait") << Stop::DisconnectInWait;
    QTest::newRow("Connect during the wait") << Stop::ConnectInWait;
    QTest::newRow("switched off during the wait") << Stop::SwitchedOffInWait;
    QTest::newRow("login refused on reconnection") << Stop::RefusedOnReconnect;
}

void tst_Reconnection::neverReconnects()
{
    QFETCH(Stop, stop);
    logIn("");
    QTRY_VERIFY(h->status().startsWith(InChannel + "Chat."));

    switch (stop) {
    case Stop::Disconnect:
        h->main->mnuDisconnect->trigger();
        QTRY_VERIFY(!h->server.isSessionOpen());
        break;
    case Stop::Exit:
        h->main->mnuExit->trigger();
        QCOMPARE(h->programEnds, 1);
        QTRY_VERIFY(!h->server.isSessionOpen());
        break;
    case Stop::TypedLogout:
    case Stop::TypedQuit:
        h->main->TxtSend->setText(stop == Stop::TypedLogout ? "/logout" : "/QUIT now");
        h->main->cmdSend->click();
        QTRY_VERIFY(h->chatLog().endsWith("Connection closed.\r\n" + LostNotice + "\r\n"));
        break;
    case Stop::SwitchedOff:
        h->main->mnuReconnect->trigger();
        loseConnection(Loss::Closed);
        break;
    case Stop::DisconnectInWait:
    case Stop::ConnectInWait:
    case Stop::SwitchedOffInWait:
        loseConnection(Loss::Closed);
        QVERIFY(h->main->tmrReconnect->isActive());
        if (stop == Stop::DisconnectInWait)
            h->main->mnuDisconnect->trigger();
        else if (stop == Stop::ConnectInWait)
            h->main->mnuConnect->trigger();
        else
            h->main->mnuReconnect->trigger();
        QVERIFY(h->chatLog().endsWith("\u2026\r\nStopped reconnecting.\r\n"));
        QTRY_COMPARE(h->server.sessionCount(), stop == Stop::ConnectInWait ? 2 : 1);
        break;
    case Stop::RefusedOnReconnect:
        loseConnection(Loss::ShutDown);
        h->server.setAccounts({{"alice", "changed"}});
        restartServer();
        passTheWait();
        QTRY_VERIFY(h->chatLog().endsWith("Login failed.\r\n"));
        h->server.closeSession();
        QTRY_VERIFY(h->chatLog().endsWith(LostNotice + "\r\n"));
        break;
    }

    QVERIFY(!h->main->tmrReconnect->isActive());
    const qsizetype waits = h->chatLog().count("Reconnecting in");
    QCOMPARE(waits, stop >= Stop::DisconnectInWait ? 1 : 0);
    const int sessions = h->server.sessionCount();
    QCOMPARE(sessionsAfterAMinute(), sessions);
    QCOMPARE(h->chatLog().count("Reconnecting in"), waits);
    if (stop != Stop::Exit) {
        QVERIFY(!h->main->mnuDisconnect->isEnabled());
        QCOMPARE(h->status(), QString("Not connected. Last channel: Chat"));
    }
}

void tst_Reconnection::checkItemIsStored()
{
    QVERIFY(h->main->mnuReconnect->isChecked());
    h->main->mnuReconnect->trigger();
    QVERIFY(!h->main->mnuReconnect->isChecked());
    QCOMPARE(ReadSetting(ConfigurationKey::ReconnectAutomatically, "x"), QString("0"));

    // The next run starts with the stored choice.
    Forms<frmMain>::UnloadNow();
    h->main = Forms<frmMain>::Get();
    QVERIFY(!h->main->mnuReconnect->isChecked());
    h->main->mnuReconnect->trigger();
    QVERIFY(h->main->mnuReconnect->isChecked());
    QCOMPARE(ReadSetting(ConfigurationKey::ReconnectAutomatically, "x"), QString("1"));
}

void tst_Reconnection::silentServerIsDropped_data()
{
    QTest::addColumn<bool>("duringReconnection");
    QTest::addColumn<bool>("serverSpeaks");
    QTest::newRow("first login") << false << false;
    QTest::newRow("during reconnection") << true << false;
    QTest::newRow("one byte is enough") << false << true;
}

void tst_Reconnection::silentServerIsDropped()
{
    QFETCH(bool, duringReconnection);
    QFETCH(bool, serverSpeaks);
    if (duringReconnection) {
        logIn("");
        QTRY_VERIFY(h->status().startsWith(InChannel + "Chat."));
        loseConnection(Loss::Closed);
        h->server.setProtocolEnabled(false);
        passTheWait();
    } else {
        h->server.setProtocolEnabled(false);
        logIn("");
    }
    QTRY_VERIFY(h->server.received().endsWith(Login));
    if (serverSpeaks) {
        h->server.sendRaw("U\r\n");
        QTRY_VERIFY(h->chatLog().startsWith("U"));
    }
    const qsizetype before = h->chatLog().size();
    WaitTimer::AdvanceHandClock(29999);
    QCOMPARE(h->chatLog().size(), before);
    WaitTimer::AdvanceHandClock(1);
    if (serverSpeaks) {
        WaitTimer::AdvanceHandClock(600000);
        QCOMPARE(h->chatLog().size(), before);
        QVERIFY(onlineControlsEnabled());
        return;
    }
    QString expected = "The server has sent nothing for 30 seconds since the login; the "
                       "connection is dropped.\r\n" +
                       LostNotice + "\r\n";
    if (duringReconnection)
        expected += "Reconnecting in 4 seconds\u2026\r\n";
    QCOMPARE(h->chatLog().mid(before), expected);
    QVERIFY(!onlineControlsEnabled());
    QTRY_VERIFY(!h->server.isSessionOpen());
}

void tst_Reconnection::keepAliveIsOnWithShortTimes()
{
    QVERIFY(h->connectSocket());
#ifdef Q_OS_LINUX
    const int descriptor = int(h->main->BattleSock->socketDescriptor());
    auto option = [descriptor](int level, int name) {
        int value = -1;
        socklen_t size = sizeof value;
        return getsockopt(descriptor, level, name, &value, &size) == 0 ? value : -1;
    };
    // A vanished peer is noticed within a few minutes (the system default is over two
    // hours), also when a line sent to it is never acknowledged.
    QCOMPARE(option(SOL_SOCKET, SO_KEEPALIVE), 1);
    const int idle = option(IPPROTO_TCP, TCP_KEEPIDLE);
    const int interval = option(IPPROTO_TCP, TCP_KEEPINTVL);
    const int probes = option(IPPROTO_TCP, TCP_KEEPCNT);
    QVERIFY(idle > 0 && interval > 0 && probes > 0);
    QVERIFY2(idle + interval * probes <= 180, qPrintable(QString::number(idle)));
    const int unacknowledgedMs = option(IPPROTO_TCP, TCP_USER_TIMEOUT);
    QVERIFY(unacknowledgedMs > 0 && unacknowledgedMs <= 180000);
#else
    QSKIP("reads the options back with Linux's names");
#endif
}

QTEST_MAIN(tst_Reconnection)
#include "tst_reconnection.moc"
