#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

// A bare TCP peer on 127.0.0.1 for the tests that need exact control over what the client
// receives and when: no protocol, no login, Nagle's delay off so that single bytes leave
// at once.
class RawPeer {
public:
    RawPeer() { m_server.listen(QHostAddress::LocalHost); }

    quint16 port() const { return m_server.serverPort(); }

    // The accepted connection, once the client has connected.
    QTcpSocket* connection()
    {
        if (!m_socket && m_server.hasPendingConnections()) {
            m_socket = m_server.nextPendingConnection();
            m_socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        }
        return m_socket;
    }

    void send(const QByteArray& bytes)
    {
        if (QTcpSocket* socket = connection())
            socket->write(bytes);
    }

private:
    QTcpServer m_server;
    QPointer<QTcpSocket> m_socket;
};
