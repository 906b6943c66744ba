// The local test server as raw TCP clients see it, on a test clock: login, routing, the flood
// quota, long lines and the cut of its own lines.
#include "testserver/ChatGatewayServer.h"

#include <QDeadlineTimer>
#include <QHostAddress>
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

// Runs the event loop until `done` holds, waking on every event instead of polling.
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

    QTcpSocket socket;
    QByteArray data;
};

QByteArray loginBytes(const QByteArray& name, const QByteArray& password)
{
    return "\x03\x04\r\n\r\n" + name + "\r\n" + password + "\r\n";
}

#define WAIT_FOR(peer, bytes)                                                                      \
    QVERIFY2((peer).waitFor(bytes),                                                                \
             qPrintable("waited for " + QByteArray(bytes).toPercentEncoding(" \"") + "\ngot " +    \
                        (peer).data.toPercentEncoding(" \"")))

} // namespace

// A fresh server and fresh peers for every test.
class tst_TestServer : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        now = 1000;
        server = std::make_unique<ChatGatewayServer>();
        server->setClock([this] { return now; });
        QVERIFY(server->listen());
    }
    void cleanup()
    {
        peers.clear(); // before the server
        server.reset();
    }

    void loginSendsGreetingAndWelcome();
    void loginOutcome_data();
    void loginOutcome();
    void routing_data();
    void routing();
    void floodQuota_data();
    void floodQuota();
    void ownLinesCutAt255_data();
    void ownLinesCutAt255();

private:
    Peer& connectPeer()
    {
        peers.push_back(std::make_unique<Peer>(server->serverPort()));
        return *peers.back();
    }

    Peer& loggedInPeer(const QByteArray& name)
    {
        Peer& peer = connectPeer();
        peer.send(loginBytes(name, "pw"));
        if (!peer.waitFor("Chat topic: "))
            qWarning("%s did not log in: %s", name.constData(), peer.data.constData());
        return peer;
    }

    // Sends /time and waits for its answer: everything the server made for this peer before
    // has then arrived.
    bool roundTrip(Peer& peer)
    {
        const qsizetype before = peer.data.count("Server Time: ");
        peer.send("/time\r\n");
        return waitUntil([&] { return peer.data.count("Server Time: ") > before; });
    }

    std::unique_ptr<ChatGatewayServer> server;
    qint64 now = 1000; // the flood quota's clock, in seconds
    std::vector<std::unique_ptr<Peer>> peers;
};

void tst_TestServer::loginSendsGreetingAndWelcome()
{
    Peer& alice = connectPeer();
    WAIT_FOR(alice, Greeting);
    QCOMPARE(alice.data, Greeting);
    alice.send(loginBytes("alice", "secret"));
    WAIT_FOR(alice, "Chat topic: ");

    const QByteArray head = Greeting + "alice\r\nPassword: \r\n2010 NAME alice\r\n"
                                       "1007 CHANNEL \"Chat\"\r\n1001 USER alice 0010 [CHAT]\r\n";
    QVERIFY(alice.data.startsWith(head));
    QVERIFY(alice.data.mid(head.size()).startsWith("1019 ERROR \"Hello alice, welcome to "));

    // The next one sees alice in the list; alice sees it join.
    Peer& bob = loggedInPeer("bob");
    QVERIFY(bob.data.contains("1001 USER bob 0010 [CHAT]\r\n1001 USER alice 0010 [CHAT]\r\n1019"));
    WAIT_FOR(alice, "\r\n1002 JOIN bob 0010 [CHAT]\r\n");
}

void tst_TestServer::loginOutcome_data()
{
    // setup: "name:password" allows only that account; "online:name" logs that name in first.
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QByteArrayList>("writes");
    QTest::addColumn<QString>("outcome"); // the name logged in as, "failed" or "closed"

    auto row = [](const char* tag, const char* setup, const QByteArrayList& writes,
                  const char* outcome) {
        QTest::newRow(tag) << QString(setup) << writes << QString(outcome);
    };
    row("account", "alice:secret", {loginBytes("alice", "secret")}, "alice");
    row("wrong password", "alice:secret", {loginBytes("alice", "Secret")}, "failed");
    row("already logged in", "online:alice", {loginBytes("alice", "x")}, "failed");
    row("name with a blank", "", {loginBytes("al ice", "x")}, "failed");
    // The first byte picks the protocol.
    row("the login without 0x03", "", {loginBytes("alice", "pw").mid(1)}, "closed");
    row("another protocol's byte", "", {"\x01"}, "closed");
}

void tst_TestServer::loginOutcome()
{
    QFETCH(QString, setup);
    QFETCH(QByteArrayList, writes);
    QFETCH(QString, outcome);

    const bool accounts = !setup.isEmpty() && !setup.startsWith("online:");
    if (accounts)
        server->setAccounts({{setup.section(':', 0, 0), setup.section(':', 1)}});
    else if (!setup.isEmpty())
        loggedInPeer(setup.section(':', 1).toUtf8());
    Peer& peer = connectPeer();
    WAIT_FOR(peer, Greeting);
    for (const QByteArray& bytes : writes) {
        peer.send(bytes);
        QTRY_VERIFY(server->received().endsWith(bytes));
    }
    if (outcome == "closed") {
        QTRY_COMPARE(peer.socket.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(peer.data, Greeting);
        QCOMPARE(server->sessionUser(), QString());
    } else if (outcome != "failed") {
        WAIT_FOR(peer, "Password: \r\n2010 NAME " + outcome.toUtf8() + "\r\n");
        WAIT_FOR(peer, "Chat topic: ");
        QCOMPARE(server->sessionUser(), outcome);
    } else {
        WAIT_FOR(peer, LoginFailed);
        QVERIFY(peer.data.endsWith(LoginFailed));
        QCOMPARE(server->sessionUser(), QString());
        // The socket stays open and takes another try.
        const QByteArray retryName = accounts ? "alice" : "zed";
        peer.send(retryName + "\r\n" + (accounts ? "secret" : "x") + "\r\n");
        WAIT_FOR(peer, LoginFailed + retryName + "\r\nPassword: \r\n2010 NAME " + retryName);
    }
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
    QTest::newRow("talk is not echoed") << QByteArray("hello bob") << QByteArray()
                                        << QByteArray("1005 TALK alice 0010 \"hello bob\"\r\n");
    const QByteArray waves = "1023 EMOTE alice 0010 \"waves\"\r\n";
    QTest::newRow("/me") << QByteArray("/me waves") << waves << waves;
}

void tst_TestServer::routing()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, toAlice);
    QFETCH(QByteArray, toBob);

    Peer& alice = loggedInPeer("alice");
    Peer& bob = loggedInPeer("bob");
    WAIT_FOR(alice, "1002 JOIN bob 0010 [CHAT]\r\n");
    const qsizetype aliceBefore = alice.data.size();
    const qsizetype bobBefore = bob.data.size();
    alice.send(line + "\r\n");
    QVERIFY(roundTrip(alice) && roundTrip(bob)); // all of it has arrived
    auto beforeTimeReply = [](const QByteArray& data) {
        return data.left(data.lastIndexOf("1018 INFO \"Server Time: "));
    };
    QCOMPARE(beforeTimeReply(alice.data.mid(aliceBefore)), toAlice);
    QCOMPARE(beforeTimeReply(bob.data.mid(bobBefore)), toBob);
}

void tst_TestServer::floodQuota_data()
{
    // Lines alice writes at once; what alice and bob get for them.
    QTest::addColumn<QByteArrayList>("lines");
    QTest::addColumn<bool>("quota");
    QTest::addColumn<QByteArray>("toAlice");
    QTest::addColumn<int>("talksToBob");
    QTest::addColumn<bool>("closed");

    const QByteArray quota = "1019 ERROR \"Your message quota has been exceeded!\"\r\n";
    const QByteArray tooQuickly =
        "1019 ERROR \"You are sending commands to the local test server too quickly and risk "
        "being disconnected for flooding. Please slow down.\"\r\n";
    const QByteArrayList four{"a", "b", "c", "d"};
    const QByteArrayList twelve = four + four + four;
    const auto row = [](const char* name, const QByteArrayList& lines, bool quota,
                        const QByteArray& toAlice, int talksToBob, bool closed = false) {
        QTest::newRow(name) << lines << quota << toAlice << talksToBob << closed;
    };
    row("a refused command is warned about", four + QByteArrayList{"/w bob e"}, true,
        quota + tooQuickly, 4);
    row("a line of 160 bytes costs four units", {QByteArray(160, 'x'), "e"}, true, quota, 1);
    row("twelve at once: refused, then closed", twelve, true, quota.repeated(8), 4, true);
    row("quota off", twelve, false, "", 12);
    row("201 bytes", {QByteArray(201, 'x')}, true,
        "1019 ERROR \"Your line length quota has been exceeded!\"\r\n", 0);
}

void tst_TestServer::floodQuota()
{
    QFETCH(QByteArrayList, lines);
    QFETCH(bool, quota);
    QFETCH(QByteArray, toAlice);
    QFETCH(int, talksToBob);
    QFETCH(bool, closed);

    server->setFloodQuotaEnabled(quota);
    Peer& alice = loggedInPeer("alice");
    Peer& bob = loggedInPeer("bob");
    WAIT_FOR(alice, "1002 JOIN bob 0010 [CHAT]\r\n");
    const qsizetype aliceBefore = alice.data.size();
    const QByteArray write = lines.join("\r\n") + "\r\n";
    const qsizetype received = server->received(0).size() + write.size();
    alice.send(write);
    QTRY_COMPARE(server->received(0).size(), received); // handled as soon as read
    now += 5;
    if (closed) {
        QTRY_COMPARE(alice.socket.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(alice.data.mid(aliceBefore), toAlice);
    } else {
        QVERIFY(roundTrip(alice)); // the quota is clear again: the clock moved on
        const QByteArray got = alice.data.mid(aliceBefore);
        QCOMPARE(got.left(got.lastIndexOf("1018 INFO \"Server Time: ")), toAlice);
    }
    QCOMPARE(bob.data.count("1005 TALK alice 0010 \""), talksToBob);
}

void tst_TestServer::ownLinesCutAt255_data()
{
    // bob's talk of `length` bytes and then "after": the bytes alice gets for the two.
    QTest::addColumn<int>("length");
    QTest::addColumn<QByteArray>("expected");

    const QByteArray head = "1005 TALK bob 0010 \""; // 20 bytes
    auto text = [](int n) { return QByteArray(n, 'x'); };
    QTest::newRow("255 bytes with its line end")
        << 232 << head + text(232) + "\"\r\n" + head + "after\"\r\n";
    QTest::newRow("loses its LF") << 233 << head + text(233) + "\"\r" + head + "after\"\r\n";
    QTest::newRow("loses its closing quote") << 240 << head + text(235) + head + "after\"\r\n";
}

void tst_TestServer::ownLinesCutAt255()
{
    QFETCH(int, length);
    QFETCH(QByteArray, expected);

    Peer& alice = loggedInPeer("alice");
    QVERIFY(server->addVirtualUser("bob"));
    WAIT_FOR(alice, "1002 JOIN bob 0010 [CHAT]\r\n");
    const qsizetype before = alice.data.size();
    // A user without a connection has no quota, so the long line is not refused.
    QVERIFY(server->virtualUserSends("bob", QByteArray(length, 'x')));
    QVERIFY(server->virtualUserSends("bob", "after"));
    WAIT_FOR(alice, "\"after\"\r\n");
    QCOMPARE(alice.data.mid(before), expected);
}

QTEST_GUILESS_MAIN(tst_TestServer)
#include "tst_testserver.moc"
