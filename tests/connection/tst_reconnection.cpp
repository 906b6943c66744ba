// Staying connected: the socket's keep-alive, the home channel, automatic reconnection and
// its limits, the quiet first connect, the silent-server watchdog and the status line.
#include "platform/ChatSocket.h"

#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

#ifdef Q_OS_LINUX
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

class tst_Reconnection : public QObject {
    Q_OBJECT

private slots:
    void keepAliveIsOnWithShortTimes();
};

void tst_Reconnection::keepAliveIsOnWithShortTimes()
{
    QTcpServer server;
    QVERIFY(server.listen(QHostAddress::LocalHost));
    ChatSocket socket;
    QSignalSpy connected(&socket, &ChatSocket::Connected);
    socket.setRemoteHost(QStringLiteral("127.0.0.1"));
    socket.setRemotePort(server.serverPort());
    socket.Connect();
    QVERIFY(connected.wait(5000));
#ifdef Q_OS_LINUX
    const int descriptor = int(socket.socketDescriptor());
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

QTEST_GUILESS_MAIN(tst_Reconnection)
#include "tst_reconnection.moc"
