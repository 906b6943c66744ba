#pragma once

// The test server as raw TCP clients see it: a server on an ephemeral port with a clock the
// test moves on, and peers that keep everything they receive.
#include "testserver/ChatGatewayServer.h"

#include <QDeadlineTimer>
#include <QHostAddress>
#include <QObject>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>

#include <memory>
#include <vector>

inline const QByteArray Greeting =
    "BOT or Telnet Connection from [127.0.0.1]\r\n\r\nEnter your account "
    "name and password.\r\nSorry, there is no guest account.\r\n\r\n"
    "Username: ";
inline const QByteArray LoginFailed = "\r\nLogin failed.\r\n\r\nUsername: ";

// Runs the event loop until `done` holds, waking on every event instead of polling, so a
// test with many round trips stays fast.
template <typename Done> inline bool waitUntil(Done done, int timeoutMs = 5000)
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

inline QByteArray loginBytes(const QByteArray& name, const QByteArray& password)
{
    return "\x03\x04\r\n\r\n" + name + "\r\n" + password + "\r\n";
}

#define WAIT_FOR(peer, bytes)                                                                      \
    QVERIFY2((peer).waitFor(bytes),                                                                \
             qPrintable("waited for " + QByteArray(bytes).toPercentEncoding(" \"") + "\ngot " +    \
                        (peer).data.toPercentEncoding(" \"")))

class ServerAndPeers {
public:
    ServerAndPeers()
    {
        server.setClock([this] { return now; });
        listening = server.listen();
    }

    Peer& connectPeer()
    {
        m_peers.push_back(std::make_unique<Peer>(server.serverPort()));
        return *m_peers.back();
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

    ChatGatewayServer server;
    bool listening = false;
    qint64 now = 1000; // the flood quota's clock, in seconds

private:
    std::vector<std::unique_ptr<Peer>> m_peers; // destroyed before the server
};
