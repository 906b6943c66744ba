#include "platform/ChatSocket.h"

#include <QTcpSocket>

ChatSocket::ChatSocket(QObject* parent)
    : QObject(parent)
{
    m_connectTimeout.setSingleShot(true);
    m_connectTimeout.setInterval(30000);
    connect(&m_connectTimeout, &QTimer::timeout, this, &ChatSocket::onConnectTimeout);
}

ChatSocket::~ChatSocket()
{
    resetSocket();
}

// A fresh QTcpSocket for every attempt: signals still queued from an old connection can then
// never be mistaken for events of the new one.
void ChatSocket::resetSocket()
{
    m_connectTimeout.stop();
    m_queued.clear();
    m_state = State::Closed;
    if (!m_socket)
        return;
    QTcpSocket* old = m_socket;
    m_socket = nullptr;
    old->disconnect(this);
    old->abort();
    old->deleteLater();
}

void ChatSocket::Connect()
{
    resetSocket();
    m_socket = new QTcpSocket(this);
    connect(m_socket, &QTcpSocket::connected, this, &ChatSocket::onConnected);
    connect(m_socket, &QTcpSocket::disconnected, this, &ChatSocket::onDisconnected);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &ChatSocket::onError);
    connect(m_socket, &QTcpSocket::readyRead, this, &ChatSocket::DataArrival);
    m_state = State::Connecting;
    m_connectTimeout.start();
    if (m_localPort != 0)
        m_socket->bind(QHostAddress::Any, m_localPort);
    m_socket->connectToHost(m_remoteHost, m_remotePort);
}

void ChatSocket::Close()
{
    resetSocket();
}

bool ChatSocket::SendData(const QByteArray& bytes)
{
    switch (m_state) {
    case State::Closed:
        return false;
    case State::Connecting:
        m_queued.append(bytes);
        return true;
    case State::Connected:
        m_socket->write(bytes);
        return true;
    }
    return false;
}

QByteArray ChatSocket::GetData()
{
    return m_socket ? m_socket->readAll() : QByteArray();
}

qint64 ChatSocket::bytesToWrite() const
{
    return m_queued.size() + (m_socket ? m_socket->bytesToWrite() : 0);
}

void ChatSocket::onConnected()
{
    m_connectTimeout.stop();
    m_state = State::Connected;
    if (!m_queued.isEmpty()) {
        m_socket->write(m_queued);
        m_queued.clear();
    }
    emit Connected();
}

void ChatSocket::onDisconnected()
{
    if (m_state != State::Connected)
        return;
    // From here on, further error signals of this socket are ignored.
    m_state = State::Closed;
    QTcpSocket* const closing = m_socket;
    // Bytes that came with the close are still readable: hand them to the reader first.
    if (closing->bytesAvailable() > 0)
        emit DataArrival();
    // The reader may have started a new connection meanwhile; that one must survive.
    if (m_socket != closing)
        return;
    resetSocket();
    emit ConnectionLost();
}

static QString PlainReason(QAbstractSocket::SocketError error, const QString& fallback)
{
    switch (error) {
    case QAbstractSocket::HostNotFoundError:
        return QObject::tr("the server's name could not be found");
    case QAbstractSocket::ConnectionRefusedError:
        return QObject::tr("the server refused the connection");
    case QAbstractSocket::SocketTimeoutError:
        return QObject::tr("the server did not answer in time");
    case QAbstractSocket::NetworkError:
        return QObject::tr("the network could not be reached");
    case QAbstractSocket::RemoteHostClosedError:
        return QObject::tr("the server closed the connection");
    default:
        return fallback;
    }
}

void ChatSocket::onError()
{
    if (!m_socket)
        return;
    const auto error = m_socket->error();
    if (m_state == State::Connecting) {
        failAttempt(PlainReason(error, m_socket->errorString()));
    } else if (m_state == State::Connected &&
               m_socket->state() != QAbstractSocket::ConnectedState) {
        onDisconnected();
    }
}

void ChatSocket::onConnectTimeout()
{
    if (m_state == State::Connecting)
        failAttempt(PlainReason(QAbstractSocket::SocketTimeoutError, QString()));
}

void ChatSocket::failAttempt(const QString& reason)
{
    resetSocket();
    emit ConnectFailed(reason);
}
