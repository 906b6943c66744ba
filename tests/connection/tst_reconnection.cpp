// Staying connected: the home channel, a lost connection, reconnection and its waits (on a
// hand clock), when it must not happen, the silent-server watchdog and keep-alive.
#include "ClientHarness.h"

#include "platform/ChatSocket.h"
#include "platform/WaitTimer.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/Forms.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

#ifdef Q_OS_LINUX
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

namespace {
const QByteArray Login("\x03\x04\r\n\r\nalice\r\npw\r\n");
const QString Lost("Your connect to battle.net has been lost\r\n");
const QString InChannel("You are connected to battle.net in channel: ");
} // namespace

class tst_Reconnection : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup()
    {
        h.reset();
        WaitTimer::useHandClock(false);
    }

    void homeChannelIsJoined_data();
    void homeChannelIsJoined();
    void reconnectsToTheLastChannel_data();
    void reconnectsToTheLastChannel();
    void waitsGrowWhileTheServerIsDown();
    void neverReconnects_data();
    void neverReconnects();
    void silentServerIsDropped_data();
    void silentServerIsDropped();
    void keepAliveIsOnWithShortTimes();

private:
    // Logs in as alice through File > Connect and waits for `channel`, when one is given.
    void logIn(const QString& home, const QString& channel = {});
    void loseConnection(bool shutDown);
    void passTheWait();
    bool online() const
    {
        return h->main->cmdSend->isEnabled() && !h->main->mnuConnect->isEnabled();
    }

    std::unique_ptr<ClientHarness> h;
    quint16 m_port = 0;
};

void tst_Reconnection::init()
{
    WaitTimer::useHandClock(true);
    h = std::make_unique<ClientHarness>();
    m_port = h->server.serverPort();
    storeSetting(ConfigurationKey::Server, h->serverAddress());
}

void tst_Reconnection::logIn(const QString& home, const QString& channel)
{
    h->submitLogin("alice", "pw", home);
    if (!channel.isNull())
        QTRY_VERIFY(h->status().startsWith(InChannel + channel + "."));
}

void tst_Reconnection::loseConnection(bool shutDown)
{
    const qsizetype losses = h->chatLog().count(Lost);
    shutDown ? h->server.shutDown() : h->server.closeSession();
    QTRY_COMPARE(h->chatLog().count(Lost), losses + 1);
}

void tst_Reconnection::passTheWait()
{
    QCOMPARE(h->main->connectionState(), Connection::State::WaitingToReconnect);
    const WaitTimer* wait = h->main->findChild<WaitTimer*>("tmrReconnect");
    QVERIFY(wait && wait->isActive());
    WaitTimer::advanceHandClock(wait->interval());
}

void tst_Reconnection::homeChannelIsJoined_data()
{
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("channel");
    QTest::addColumn<QByteArray>("afterLogin");
    const auto row = [](const char* name, const char* home, const char* channel,
                        const QByteArray& afterLogin) {
        QTest::newRow(name) << QString(home) << QString(channel) << afterLogin;
    };
    row("joined", " Vantric Test ", "Vantric Test", "/join Vantric Test\r\n");
    row("empty", "", "Chat", "");
    row("only blanks", "  ", "Chat", "");
    row("already there", "chat", "Chat", "");
}

void tst_Reconnection::homeChannelIsJoined()
{
    QFETCH(QString, home);
    QFETCH(QString, channel);
    QFETCH(QByteArray, afterLogin);
    logIn(home, channel);
    QCOMPARE(h->sentSince(0), Login + afterLogin);
}

void tst_Reconnection::reconnectsToTheLastChannel_data()
{
    QTest::addColumn<bool>("shutDown");
    QTest::newRow("server shut down and restarted") << true;
    QTest::newRow("server closed the connection") << false;
}

void tst_Reconnection::reconnectsToTheLastChannel()
{
    QFETCH(bool, shutDown);
    logIn("Vantric Test", "Vantric Test");
    // The channel the user went to afterwards is the one to go back to.
    h->main->TxtSend->setText("/join Elsewhere");
    h->main->cmdSend->click();
    QTRY_VERIFY(h->status().startsWith(InChannel + "Elsewhere."));
    QVERIFY(!h->userList().isEmpty());
    // Text that came just before a close still shows, then the notice on a line of its own;
    // the list and the status line show no channel (anti-idle across this: tst_antiidle).
    const QString cut = shutDown ? "" : "Username: "; // a shut-down server drops what it had
    h->server.sendRaw(cut.toUtf8());

    loseConnection(shutDown);
    QVERIFY(h->chatLog().endsWith(cut + "\r\n" + Lost + "Reconnecting in 2 seconds\u2026\r\n"));
    QCOMPARE(h->status(), QString("Not connected, reconnecting\u2026"));
    QCOMPARE(h->userList(), QStringList());
    QVERIFY(!online());
    if (shutDown)
        QVERIFY(h->server.listen(m_port));

    passTheWait(); // the login is sent again, as from the dialog
    QVERIFY(online());
    QTRY_VERIFY(h->status().startsWith(InChannel + "Elsewhere."));
    QVERIFY(h->chatLog().contains("\r\nConnected again.\r\n"));
    QCOMPARE(h->server.received(), Login + "/join Elsewhere\r\n");
}

// Each failed attempt is reported and the next wait is longer; a login starts again at 2 s.
void tst_Reconnection::waitsGrowWhileTheServerIsDown()
{
    logIn("", "Chat");
    loseConnection(true);
    passTheWait();
    QTRY_VERIFY(h->chatLog().endsWith(QString("Could not connect to 127.0.0.1 (port %1): the "
                                              "server refused the connection.\r\nReconnecting "
                                              "in 4 seconds\u2026\r\n")
                                          .arg(m_port)));
    QVERIFY(!online());

    QVERIFY(h->server.listen(m_port));
    passTheWait();
    QTRY_VERIFY(h->status().startsWith(InChannel + "Chat."));
    loseConnection(false);
    QVERIFY(h->chatLog().endsWith("Reconnecting in 2 seconds\u2026\r\n"));
}

void tst_Reconnection::neverReconnects_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("File > Disconnect") << "disconnect";
    QTest::newRow("File > Exit") << "exit";
    QTest::newRow("typed /logout") << "type /logout";
    QTest::newRow("typed /quit") << "type /QUIT now";
    QTest::newRow("switched off, stored") << "off";
}

void tst_Reconnection::neverReconnects()
{
    QFETCH(QString, how);
    logIn("", "Chat");
    if (how == "disconnect") {
        h->main->mnuDisconnect->trigger();
    } else if (how == "exit") {
        h->main->mnuExit->trigger();
        QCOMPARE(h->programEnds, 1);
    } else if (how.startsWith("type ")) {
        h->main->TxtSend->setText(how.mid(5));
        h->main->cmdSend->click();
        QTRY_VERIFY(h->chatLog().endsWith("Connection closed.\r\n" + Lost));
    } else {
        h->main->mnuReconnect->trigger();
        QCOMPARE(readSetting(ConfigurationKey::ReconnectAutomatically, "x"), QString("0"));
        loseConnection(false);
    }

    QTRY_VERIFY(!h->server.isSessionOpen(0));
    QCOMPARE(h->chatLog().count("Reconnecting in"), 0);
    const int sessions = h->server.sessionCount();
    const ChatSocket::State state = h->main->connection().state();
    WaitTimer::advanceHandClock(120000);
    // An attempt would have begun by the time the events posted so far are handled.
    QVERIFY(h->handlePostedEvents());
    QCOMPARE(h->main->connection().state(), state);
    QCOMPARE(h->server.sessionCount(), sessions);
    QCOMPARE(h->chatLog().count("Reconnecting in"), 0);
    if (how != "exit") {
        QVERIFY(!h->main->mnuDisconnect->isEnabled());
        QCOMPARE(h->status(), QString("Not connected."));
    }
    if (how == "off") { // the next run starts switched off; switching on is stored as well
        Forms<frmMain>::unloadNow();
        h->main = Forms<frmMain>::get();
        QVERIFY(!h->main->mnuReconnect->isChecked());
        h->main->mnuReconnect->trigger();
        QCOMPARE(readSetting(ConfigurationKey::ReconnectAutomatically, "x"), QString("1"));
    }
}

void tst_Reconnection::silentServerIsDropped_data()
{
    QTest::addColumn<QByteArray>("serverSays");
    QTest::addColumn<QString>("notices");
    const QString dropped = "The server has sent nothing for 30 seconds since the login; the "
                            "connection is dropped.\r\n" +
                            Lost;
    QTest::newRow("silent") << QByteArray() << dropped;
    QTest::newRow("one line is a sign of life") << QByteArray("U\r\n") << "U\r\n";
}

void tst_Reconnection::silentServerIsDropped()
{
    QFETCH(QByteArray, serverSays);
    QFETCH(QString, notices);
    const qsizetype before = h->chatLog().size();
    h->server.setProtocolEnabled(false);
    logIn("");
    QTRY_VERIFY(h->server.received().endsWith(Login));
    h->server.sendRaw(serverSays);

    WaitTimer::advanceHandClock(29999);
    QTRY_COMPARE(h->chatLog().mid(before), QString::fromLatin1(serverSays));
    WaitTimer::advanceHandClock(1);
    QCOMPARE(h->chatLog().mid(before), notices);
    QCOMPARE(online(), !serverSays.isEmpty());
}

void tst_Reconnection::keepAliveIsOnWithShortTimes()
{
    QVERIFY(h->connectSocket());
#ifdef Q_OS_LINUX
    const int descriptor = int(h->main->connection().socketDescriptor());
    auto option = [descriptor](int level, int name) {
        int value = -1;
        socklen_t size = sizeof value;
        return getsockopt(descriptor, level, name, &value, &size) == 0 ? value : -1;
    };
    // A vanished peer is noticed within minutes (the system's default is over two hours),
    // also when a line sent to it is never acknowledged.
    QCOMPARE(option(SOL_SOCKET, SO_KEEPALIVE), 1);
    const int idle = option(IPPROTO_TCP, TCP_KEEPIDLE);
    const int interval = option(IPPROTO_TCP, TCP_KEEPINTVL);
    const int probes = option(IPPROTO_TCP, TCP_KEEPCNT);
    QVERIFY(idle > 0 && interval > 0 && probes > 0 && idle + interval * probes <= 180);
    const int unacknowledgedMs = option(IPPROTO_TCP, TCP_USER_TIMEOUT);
    QVERIFY(unacknowledgedMs > 0 && unacknowledgedMs <= 180000);
#else
    QSKIP("reads the options back with Linux's names");
#endif
}

QTEST_MAIN(tst_Reconnection)
#include "tst_reconnection.moc"
