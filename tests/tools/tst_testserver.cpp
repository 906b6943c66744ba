#include "testserver/ChatGatewayServer.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <memory>
#include <vector>

namespace {

const QByteArray Greeting = "BOT or Telnet Connection from [127.0.0.1]\r\n\r\nEnter your account "
                            "name and password.\r\nSorry, there is no guest account.\r\n\r\n"
                            "Username: ";
const QByteArray LoginFailed = "\r\nLogin failed.\r\n\r\nUsername: ";

// Runs the event loop until `done` holds, waking on every event instead of polling, so a
// test with many round trips stays fast.
template <typename Done> bool waitUntil(Done done, int timeoutMs = 5000)
{
    const QDeadlineTimer deadline(timeoutMs);
    QTimer tick; // wakes the loop now and then so the deadline is seen
    tick.start(20);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// A raw TCP client that keeps everything it receives.
struct Peer {
    explicit Peer(quint16 port)
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, &socket,
                         [this] { data += socket.readAll(); });
        socket.connectToHost(QHostAddress::LocalHost, port);
    }
    void send(const QByteArray& bytes) { socket.write(bytes); }
    bool waitFor(const QByteArray& bytes)
    {
        return waitUntil([&] { return data.contains(bytes); });
    }
    QByteArray dataFrom(qsizetype from) const { return data.mid(from); }

    QTcpSocket socket;
    QByteArray data;
};

QByteArray loginBytes(const QByteArray& name, const QByteArray& password)
{
    return "\x03\x04\r\n\r\n" + name + "\r\n" + password + "\r\n";
}

} // namespace

#define WAIT_FOR(peer, bytes)                                                                      \
    QVERIFY2((peer).waitFor(bytes),                                                                \
             qPrintable("waited for " + QByteArray(bytes).toPercentEncoding(" \"") + "\ngot " +    \
                        (peer).data.toPercentEncoding(" \"")))

class tst_TestServer : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void loginSendsGreetingAndWelcome();
    void loginOutcome_data();
    void loginOutcome();
    void routing_data();
    void routing();
    void silentRecordingPeer();

private:
    Peer& connectPeer();
    Peer& loggedInPeer(const QByteArray& name);
    // Sends /time and waits for its answer: everything the server made for this peer before
    // has then arrived.
    bool roundTrip(Peer& peer);

    std::unique_ptr<ChatGatewayServer> m_server;
    std::vector<std::unique_ptr<Peer>> m_peers;
};

void tst_TestServer::init()
{
    m_server = std::make_unique<ChatGatewayServer>();
    QVERIFY(m_server->listen());
}

void tst_TestServer::cleanup()
{
    m_peers.clear();
    m_server.reset();
}

Peer& tst_TestServer::connectPeer()
{
    m_peers.push_back(std::make_unique<Peer>(m_server->serverPort()));
    return *m_peers.back();
}

Peer& tst_TestServer::loggedInPeer(const QByteArray& name)
{
    Peer& peer = connectPeer();
    peer.send(loginBytes(name, "pw"));
    if (!peer.waitFor("Chat topic: "))
        qWarning("%s did not log in: %s", name.constData(), peer.data.constData());
    return peer;
}

bool tst_TestServer::roundTrip(Peer& peer)
{
    const qsizetype before = peer.data.count("Server Time: ");
    peer.send("/time\r\n");
    return waitUntil([&] { return peer.data.count("Server Time: ") > before; });
}

void tst_TestServer::loginSendsGreetingAndWelcome()
{
    QSignalSpy loggedIn(m_server.get(), &ChatGatewayServer::loggedIn);
    Peer& alice = connectPeer();
    WAIT_FOR(alice, Greeting);
    QCOMPARE(alice.data, Greeting);
    alice.send(loginBytes("alice", "secret"));
    WAIT_FOR(alice, "Chat topic: ");
    QCOMPARE(loggedIn.size(), 1);
    QCOMPARE(loggedIn.at(0), (QVariantList{0, QStringLiteral("alice")}));

    const QByteArray head = Greeting + "alice\r\nPassword: \r\n2010 NAME alice\r\n"
                                       "1007 CHANNEL \"Chat\"\r\n1001 USER alice 0010 [CHAT]\r\n";
    QVERIFY(alice.data.startsWith(head));
    QByteArrayList welcome = alice.data.mid(head.size()).split('\n');
    QCOMPARE(welcome.takeLast(), QByteArray()); // ends in a line end
    QVERIFY(welcome.first().startsWith("1019 ERROR \"Hello alice, welcome to "));
    QCOMPARE(welcome.at(welcome.size() - 2), "1005 TALK alice 0010 \"You have no mail.\"\r");
    QVERIFY(welcome.last().startsWith("1018 INFO \"Chat topic: "));
    for (const QByteArray& line : std::as_const(welcome)) // texts in between, some empty
        QVERIFY2(line.startsWith("1018 INFO \"") || line.startsWith("1019 ERROR \"") ||
                     line.startsWith("1005 TALK "),
                 line.constData());

    // The next one sees alice in the list; alice sees it join.
    Peer& bob = loggedInPeer("bob");
    QVERIFY(bob.data.contains("1001 USER bob 0010 [CHAT]\r\n1001 USER alice 0010 [CHAT]\r\n1019"));
    WAIT_FOR(alice, "\r\n1002 JOIN bob 0010 [CHAT]\r\n");
}

void tst_TestServer::loginOutcome_data()
{
    // setup: "name:password" allows only that account; "online:name" logs that name in first.
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("loggedInAs"); // empty: the login fails

    auto row = [](const char* tag, QString setup, QString name, QString password, QString as) {
        QTest::newRow(tag) << setup << name << password << as;
    };
    row("anyone", "", "alice", "x", "alice");
    row("account", "alice:secret", "alice", "secret", "alice");
    row("wrong password", "alice:secret", "alice", "Secret", "");
    row("unknown account", "alice:secret", "mallory", "secret", "");
    row("already logged in", "online:alice", "alice", "x", "");
    row("name with a blank", "", "al ice", "x", "");
}

void tst_TestServer::loginOutcome()
{
    QFETCH(QString, setup);
    QFETCH(QString, name);
    QFETCH(QString, password);
    QFETCH(QString, loggedInAs);

    const bool accounts = !setup.isEmpty() && !setup.startsWith("online:");
    if (accounts)
        m_server->setAccounts({{setup.section(':', 0, 0), setup.section(':', 1)}});
    else if (!setup.isEmpty())
        loggedInPeer(setup.section(':', 1).toUtf8());
    Peer& peer = connectPeer();
    peer.send(loginBytes(name.toUtf8(), password.toUtf8()));
    const QByteArray answered = name.toUtf8() + "\r\nPassword: ";
    if (!loggedInAs.isEmpty()) {
        WAIT_FOR(peer, answered + "\r\n2010 NAME " + loggedInAs.toUtf8() + "\r\n");
        QTRY_COMPARE(m_server->sessionUser(), loggedInAs);
        return;
    }
    WAIT_FOR(peer, answered + LoginFailed);
    QVERIFY(peer.data.endsWith(LoginFailed));
    QCOMPARE(m_server->sessionUser(), QString());

    // The socket stays open and takes another try.
    const QByteArray retryName = accounts ? "alice" : "zed";
    peer.send(retryName + "\r\n" + (accounts ? "secret" : "x") + "\r\n");
    WAIT_FOR(peer, LoginFailed + retryName + "\r\nPassword: \r\n2010 NAME " + retryName);
}

void tst_TestServer::routing_data()
{
    // What alice sends, and what she and bob (both in "Chat") get for it; empty: nothing.
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("toAlice");
    QTest::addColumn<QByteArray>("toBob");

    const QByteArray confirmed = "1010 WHISPER bob 0010 \"psst\"\r\n";
    const QByteArray whispered = "1004 WHISPER alice 0010 \"psst\"\r\n";
    QTest::newRow("/w") << QByteArray("/w bob psst") << confirmed << whispered;
    QTest::newRow("whisper offline")
        << QByteArray("/w carol psst")
        << QByteArray("1019 ERROR \"That user is not logged on.\"\r\n") << QByteArray();
    QTest::newRow("whisper to a squelcher")
        << QByteArray("/w bob psst") << confirmed << QByteArray("squelch");
    QTest::newRow("talk is not echoed") << QByteArray("hello bob") << QByteArray()
                                        << QByteArray("1005 TALK alice 0010 \"hello bob\"\r\n");
    const QByteArray waves = "1023 EMOTE alice 0010 \"waves\"\r\n";
    QTest::newRow("/me") << QByteArray("/me waves") << waves << waves;
    QTest::newRow("/emote") << QByteArray("/emote waves") << waves << waves;
}

void tst_TestServer::routing()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, toAlice);
    QFETCH(QByteArray, toBob);

    Peer& alice = loggedInPeer("alice");
    Peer& bob = loggedInPeer("bob");
    if (toBob == "squelch") { // bob squelches alice first and then gets nothing
        bob.send("/squelch alice\r\n");
        WAIT_FOR(bob, "1009 USER alice 0030\r\n");
        toBob.clear();
    }
    WAIT_FOR(alice, "1002 JOIN bob 0010 [CHAT]\r\n");
    const qsizetype aliceBefore = alice.data.size();
    const qsizetype bobBefore = bob.data.size();
    alice.send(line + "\r\n");
    QVERIFY(roundTrip(alice) && roundTrip(bob)); // all of it has arrived
    auto beforeTimeReply = [](const QByteArray& data) {
        return data.left(data.lastIndexOf("1018 INFO \"Server Time: "));
    };
    QCOMPARE(beforeTimeReply(alice.dataFrom(aliceBefore)), toAlice);
    QCOMPARE(beforeTimeReply(bob.dataFrom(bobBefore)), toBob);
}

void tst_TestServer::silentRecordingPeer()
{
    m_server->setProtocolEnabled(false);
    QSignalSpy received(m_server.get(), &ChatGatewayServer::bytesReceived);
    QSignalSpy closed(m_server.get(), &ChatGatewayServer::sessionClosed);
    Peer& peer = connectPeer();
    const QByteArray bytes = loginBytes("alice", "secret");
    peer.send(bytes);
    QTRY_COMPARE(m_server->received(0), bytes);
    QCOMPARE(received.first().at(0), 0);

    QTest::qWait(50);
    QCOMPARE(peer.data, QByteArray()); // no greeting, no echo, no login
    const QByteArray scripted("1018 INFO \"scripted\"\r\n\x00\xff", 24);
    m_server->sendRaw(scripted, 0);
    QTRY_COMPARE(peer.data, scripted);

    m_server->closeSession();
    QTRY_COMPARE(peer.socket.state(), QAbstractSocket::UnconnectedState);
    QTRY_COMPARE(closed.size(), 1);
    QVERIFY(!m_server->isSessionOpen(0));
}

QTEST_GUILESS_MAIN(tst_TestServer)
#include "tst_testserver.moc"
