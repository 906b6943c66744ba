// The local test server as raw TCP clients see it: login, routing, the recording mode.
#include "ServerPeers.h"

#include <QSignalSpy>

class tst_TestServer : public ServerTest {
    Q_OBJECT
private slots:
    void loginSendsGreetingAndWelcome();
    void loginOutcome_data();
    void loginOutcome();
    void routing_data();
    void routing();
    void silentRecordingPeer();
};

void tst_TestServer::loginSendsGreetingAndWelcome()
{
    QSignalSpy loggedIn(&t->server, &ChatGatewayServer::loggedIn);
    Peer& alice = t->connectPeer();
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
    Peer& bob = t->loggedInPeer("bob");
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
        t->server.setAccounts({{setup.section(':', 0, 0), setup.section(':', 1)}});
    else if (!setup.isEmpty())
        t->loggedInPeer(setup.section(':', 1).toUtf8());
    Peer& peer = t->connectPeer();
    peer.send(loginBytes(name.toUtf8(), password.toUtf8()));
    const QByteArray answered = name.toUtf8() + "\r\nPassword: ";
    if (!loggedInAs.isEmpty()) {
        WAIT_FOR(peer, answered + "\r\n2010 NAME " + loggedInAs.toUtf8() + "\r\n");
        QTRY_COMPARE(t->server.sessionUser(), loggedInAs);
        return;
    }
    WAIT_FOR(peer, answered + LoginFailed);
    QVERIFY(peer.data.endsWith(LoginFailed));
    QCOMPARE(t->server.sessionUser(), QString());

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

    Peer& alice = t->loggedInPeer("alice");
    Peer& bob = t->loggedInPeer("bob");
    if (toBob == "squelch") { // bob squelches alice first and then gets nothing
        bob.send("/squelch alice\r\n");
        WAIT_FOR(bob, "1009 USER alice 0030\r\n");
        toBob.clear();
    }
    WAIT_FOR(alice, "1002 JOIN bob 0010 [CHAT]\r\n");
    const qsizetype aliceBefore = alice.data.size();
    const qsizetype bobBefore = bob.data.size();
    alice.send(line + "\r\n");
    QVERIFY(t->roundTrip(alice) && t->roundTrip(bob)); // all of it has arrived
    auto beforeTimeReply = [](const QByteArray& data) {
        return data.left(data.lastIndexOf("1018 INFO \"Server Time: "));
    };
    QCOMPARE(beforeTimeReply(alice.dataFrom(aliceBefore)), toAlice);
    QCOMPARE(beforeTimeReply(bob.dataFrom(bobBefore)), toBob);
}

void tst_TestServer::silentRecordingPeer()
{
    t->server.setProtocolEnabled(false);
    QSignalSpy received(&t->server, &ChatGatewayServer::bytesReceived);
    QSignalSpy closed(&t->server, &ChatGatewayServer::sessionClosed);
    Peer& peer = t->connectPeer();
    const QByteArray bytes = loginBytes("alice", "secret");
    peer.send(bytes);
    QTRY_COMPARE(t->server.received(0), bytes);
    QCOMPARE(received.first().at(0), 0);

    QTest::qWait(50);
    QCOMPARE(peer.data, QByteArray()); // no greeting, no echo, no login
    const QByteArray scripted("1018 INFO \"scripted\"\r\n\x00\xff", 24);
    t->server.sendRaw(scripted, 0);
    QTRY_COMPARE(peer.data, scripted);

    t->server.closeSession();
    QTRY_COMPARE(peer.socket.state(), QAbstractSocket::UnconnectedState);
    QTRY_COMPARE(closed.size(), 1);
    QVERIFY(!t->server.isSessionOpen(0));
}

QTEST_GUILESS_MAIN(tst_TestServer)
#include "tst_testserver.moc"
