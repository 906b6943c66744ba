// The pure parts of logging in: reading the server box, and the bytes of the login.
#include "connection/LoginSequence.h"
#include "connection/ServerAddress.h"

#include <QTest>

class tst_LoginParts : public QObject {
    Q_OBJECT

private slots:
    void serverAddresses_data();
    void serverAddresses();
    void loginWrites_data();
    void loginWrites();
};

void tst_LoginParts::serverAddresses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("host");
    QTest::addColumn<int>("port");
    QTest::newRow("host") << "chat.example"
                          << "chat.example" << 6112;
    QTest::newRow("host and port") << "chat.example:7000"
                                   << "chat.example" << 7000;
    QTest::newRow("blanks around") << "  10.1.2.3:6113 "
                                   << "10.1.2.3" << 6113;
    QTest::newRow("ipv6 bare") << "::1"
                               << "::1" << 6112;
    QTest::newRow("ipv6 with port") << "[::1]:7000"
                                    << "::1" << 7000;
    QTest::newRow("empty") << ""
                           << "" << 0;
    QTest::newRow("port zero") << "host:0"
                               << "" << 0;
    QTest::newRow("port too big") << "host:65536"
                                  << "" << 0;
    QTest::newRow("port not a number") << "host:abc"
                                       << "" << 0;
    QTest::newRow("no host") << ":6112"
                             << "" << 0;
    QTest::newRow("blank inside") << "a host"
                                  << "" << 0;
    QTest::newRow("unclosed bracket") << "[::1:7000"
                                      << "" << 0;
}

void tst_LoginParts::serverAddresses()
{
    QFETCH(QString, text);
    QFETCH(QString, host);
    QFETCH(int, port);
    const ServerAddress address = parseServerAddress(text);
    QCOMPARE(address.host, host);
    if (!host.isEmpty())
        QCOMPARE(int(address.port), port);
}

void tst_LoginParts::loginWrites_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("secret");
    QTest::newRow("ordinary") << "alice"
                              << "secret" << QByteArray("alice\r\n") << QByteArray("secret\r\n");
    QTest::newRow("blanks kept") << " bob "
                                 << " pw " << QByteArray(" bob \r\n") << QByteArray(" pw \r\n");
    QTest::newRow("without password") << "guest"
                                      << "" << QByteArray("guest\r\n") << QByteArray("\r\n");
    QTest::newRow("non-ASCII as UTF-8")
        << QString::fromUtf8("j\u00fcrgen") << QString::fromUtf8("\u20ac")
        << QByteArray("j\xc3\xbcrgen\r\n") << QByteArray("\xe2\x82\xac\r\n");
}

// Three writes; the first is the same six bytes whatever the fields hold.
void tst_LoginParts::loginWrites()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, secret);
    QCOMPARE(::loginWrites(user, password),
             (QList<QByteArray>{QByteArray("\x03\x04\r\n\r\n"), name, secret}));
}

QTEST_APPLESS_MAIN(tst_LoginParts)
#include "tst_loginparts.moc"
