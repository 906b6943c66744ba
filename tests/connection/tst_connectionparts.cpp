// The pure parts of connecting: reading the server box, the bytes of the login, how long the
// client waits before each attempt to reconnect, and which typed lines end the session.
// Their use by the window is tested in tst_connection and tst_reconnection.
#include "connection/LoginSequence.h"
#include "connection/ReconnectPolicy.h"
#include "connection/ServerAddress.h"

#include <QTest>

class tst_ConnectionParts : public QObject {
    Q_OBJECT

private slots:
    void serverAddresses_data();
    void serverAddresses();
    void loginWrites_data();
    void loginWrites();
    void waitsDoubleUpToAMinute_data();
    void waitsDoubleUpToAMinute();
    void linesThatEndTheSession_data();
    void linesThatEndTheSession();
};

// The host and port a text names; an empty host when it names no usable server.
void tst_ConnectionParts::serverAddresses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    const auto row = [](const char* name, const char* text, const char* host, int port) {
        QTest::newRow(name) << QString(text) << QString(host) << port;
    };
    row("host", "chat.example", "chat.example", 6112);
    row("host and port", "chat.example:7000", "chat.example", 7000);
    row("blanks around", "  10.1.2.3:6113 ", "10.1.2.3", 6113);
    row("ipv6 bare", "::1", "::1", 6112);
    row("ipv6 with port", "[::1]:7000", "::1", 7000);
    row("empty", "", "", 0);
    row("port zero", "host:0", "", 0);
    row("port too big", "host:65536", "", 0);
    row("port not a number", "host:abc", "", 0);
    row("no host", ":6112", "", 0);
    row("blank inside", "a host", "", 0);
    row("unclosed bracket", "[::1:7000", "", 0);
}

void tst_ConnectionParts::serverAddresses()
{
    QFETCH(QString, text);
    QFETCH(QString, host);
    QFETCH(int, port);
    const ServerAddress address = parseServerAddress(text);
    QCOMPARE(address.host, host);
    if (!host.isEmpty())
        QCOMPARE(int(address.port), port);
}

void tst_ConnectionParts::loginWrites_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("secret");
    const auto row = [](const char* tag, const QString& user, const QString& password,
                        const QByteArray& name, const QByteArray& secret) {
        QTest::newRow(tag) << user << password << name << secret;
    };
    row("ordinary", "alice", "secret", "alice\r\n", "secret\r\n");
    row("blanks kept", " bob ", " pw ", " bob \r\n", " pw \r\n");
    row("without password", "guest", "", "guest\r\n", "\r\n");
    row("non-ASCII as UTF-8", "j\u00fcrgen", "\u20ac", "j\xc3\xbcrgen\r\n", "\xe2\x82\xac\r\n");
}

// Three writes; the first is the same six bytes whatever the fields hold.
void tst_ConnectionParts::loginWrites()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, secret);
    QCOMPARE(::loginWrites(user, password),
             (QList<QByteArray>{QByteArray("\x03\x04\r\n\r\n"), name, secret}));
}

void tst_ConnectionParts::waitsDoubleUpToAMinute_data()
{
    QTest::addColumn<double>("draw");
    QTest::addColumn<QList<int>>("waits");
    QTest::newRow("shortest") << 0.0 << QList<int>{1800, 3600, 7200, 14400, 28800, 54000, 54000};
    QTest::newRow("middle") << 0.5 << QList<int>{2000, 4000, 8000, 16000, 32000, 60000, 60000};
    // Never over a minute, also with a source that strays out of its range.
    QTest::newRow("beyond longest")
        << 7.0 << QList<int>{2200, 4400, 8800, 17600, 35200, 60000, 60000};
}

void tst_ConnectionParts::waitsDoubleUpToAMinute()
{
    QFETCH(double, draw);
    QFETCH(QList<int>, waits);
    ReconnectPolicy policy([draw] { return draw; });
    QList<int> got;
    for (qsizetype i = 0; i < waits.size(); ++i)
        got << policy.nextWaitMs();
    QCOMPARE(got, waits);
    policy.reset();
    QCOMPARE(policy.nextWaitMs(), waits.first());
}

// Lines that do end it are tested as typed (tst_reconnection).
void tst_ConnectionParts::linesThatEndTheSession_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("ends");
    QTest::newRow("leading blank is talk") << " /quit" << false;
    QTest::newRow("longer command") << "/quitter" << false;
    QTest::newRow("talk about it") << "I will /quit soon" << false;
}

void tst_ConnectionParts::linesThatEndTheSession()
{
    QFETCH(QString, line);
    QFETCH(bool, ends);
    QCOMPARE(ReconnectPolicy::asksToEndSession(line), ends);
}

QTEST_APPLESS_MAIN(tst_ConnectionParts)
#include "tst_connectionparts.moc"
