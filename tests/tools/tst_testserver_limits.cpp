// The local test server's limits as a real server has them: the flood quota, long lines
// and the cut of its own lines, and the first byte that picks the protocol.
#include "ServerPeers.h"

#include <utility>

class tst_TestServerLimits : public ServerTest {
    Q_OBJECT
private slots:
    void floodQuota_data();
    void floodQuota();
    void ownLinesCutAt255_data();
    void ownLinesCutAt255();
    void protocolSelection_data();
    void protocolSelection();
};

void tst_TestServerLimits::floodQuota_data()
{
    // Lines alice writes at once, "+5s" moving the clock on between two writes; what alice
    // and bob get for them.
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
    QTest::newRow("the fifth is refused")
        << four + QByteArrayList{"e"} << true << quota << 4 << false;
    QTest::newRow("a refused command is warned about")
        << four + QByteArrayList{"/w bob e"} << true << quota + tooQuickly << 4 << false;
    QTest::newRow("a line of 160 bytes costs four units")
        << QByteArrayList{QByteArray(160, 'x'), "e"} << true << quota << 1 << false;
    QTest::newRow("forgotten five seconds later")
        << four + QByteArrayList{"+5s"} + four << true << QByteArray() << 8 << false;
    QTest::newRow("twelve at once: refused, then closed")
        << twelve << true << quota.repeated(8) << 4 << true;
    QTest::newRow("quota off") << twelve << false << QByteArray() << 12 << false;
    QTest::newRow("201 bytes") << QByteArrayList{QByteArray(201, 'x')} << true
                               << QByteArray("1019 ERROR \"Your line length quota has been "
                                             "exceeded!\"\r\n")
                               << 0 << false;
    QTest::newRow("256 bytes dropped silently")
        << QByteArrayList{QByteArray(256, 'x')} + four << true << QByteArray() << 4 << false;
}

void tst_TestServerLimits::floodQuota()
{
    QFETCH(QByteArrayList, lines);
    QFETCH(bool, quota);
    QFETCH(QByteArray, toAlice);
    QFETCH(int, talksToBob);
    QFETCH(bool, closed);

    t->server.setFloodQuotaEnabled(quota);
    Peer& alice = t->loggedInPeer("alice");
    Peer& bob = t->loggedInPeer("bob");
    WAIT_FOR(alice, "1002 JOIN bob 0010 [CHAT]\r\n");
    const qsizetype aliceBefore = alice.data.size();
    QByteArray write;
    for (const QByteArray& line : lines + QByteArrayList{"+5s"}) {
        if (line != "+5s") {
            write += line + "\r\n";
            continue;
        }
        const qsizetype received = t->server.received(0).size() + write.size();
        alice.send(std::exchange(write, {}));
        // The server handles lines as soon as it has read them.
        QTRY_COMPARE(t->server.received(0).size(), received);
        t->now += 5;
    }
    if (closed) {
        QTRY_COMPARE(alice.socket.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(alice.dataFrom(aliceBefore), toAlice);
    } else {
        QVERIFY(t->roundTrip(alice)); // the quota is clear again: the clock moved on
        const QByteArray got = alice.dataFrom(aliceBefore);
        QCOMPARE(got.left(got.lastIndexOf("1018 INFO \"Server Time: ")), toAlice);
    }
    QCOMPARE(bob.data.count("1005 TALK alice 0010 \""), talksToBob);
}

void tst_TestServerLimits::ownLinesCutAt255_data()
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

void tst_TestServerLimits::ownLinesCutAt255()
{
    QFETCH(int, length);
    QFETCH(QByteArray, expected);

    Peer& alice = t->loggedInPeer("alice");
    QVERIFY(t->server.addVirtualUser("bob"));
    WAIT_FOR(alice, "1002 JOIN bob 0010 [CHAT]\r\n");
    const qsizetype before = alice.data.size();
    // A user without a connection has no quota, so the long line is not refused.
    QVERIFY(t->server.virtualUserSends("bob", QByteArray(length, 'x')));
    QVERIFY(t->server.virtualUserSends("bob", "after"));
    WAIT_FOR(alice, "\"after\"\r\n");
    QCOMPARE(alice.dataFrom(before), expected);
}

void tst_TestServerLimits::protocolSelection_data()
{
    QTest::addColumn<QByteArrayList>("writes");
    QTest::addColumn<bool>("loggedIn");

    QTest::newRow("0x03 alone, then the rest")
        << QByteArrayList{"\x03", loginBytes("alice", "pw").mid(1)} << true;
    QTest::newRow("the login without 0x03")
        << QByteArrayList{loginBytes("alice", "pw").mid(1)} << false;
    QTest::newRow("another protocol's byte") << QByteArrayList{"\x01"} << false;
}

void tst_TestServerLimits::protocolSelection()
{
    QFETCH(QByteArrayList, writes);
    QFETCH(bool, loggedIn);

    Peer& peer = t->connectPeer();
    WAIT_FOR(peer, Greeting);
    for (const QByteArray& bytes : writes) {
        peer.send(bytes);
        QTRY_VERIFY(t->server.received().endsWith(bytes));
    }
    if (loggedIn) {
        WAIT_FOR(peer, "Chat topic: ");
        QVERIFY(t->server.isSessionOpen());
        return;
    }
    QTRY_COMPARE(peer.socket.state(), QAbstractSocket::UnconnectedState);
    QCOMPARE(peer.data, Greeting);
    QCOMPARE(t->server.sessionUser(), QString());
}

QTEST_GUILESS_MAIN(tst_TestServerLimits)
#include "tst_testserver_limits.moc"
