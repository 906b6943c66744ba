#include "platform/ChatSocket.h"

#include <QTcpSocket>

#include <utility>

ChatSocket::ChatSocket(QObject* parent)
    : QObject(parent)
    , m_socket(new QTcpSocket(this))
{
    m_connectTimeout.setSingleShot(true);
    m_connectTimeout.setInterval(30000);
    connect(&m_connectTimeout, &QTimer::timeout, this, &ChatSocket::onConnectTimeout);
    connect(m_socket, &QTcpSocket::connected, this, &ChatSocket::onConnected);
    connect(m_socket, &QTcpSocket::disconnected, this, &ChatSocket::onDisconnected);
    connect(m_socket, &QTcpSocket::errorOccurred, this, &ChatSocket::onError);
    connect(m_socket, &QTcpSocket::readyRead, this, [this] {
        if (m_state == State::Connected)
            emit DataArrival();
    });
}

ChatSocket::~ChatSocket()
{
    resetSocket();
}

// One QTcpSocket serves every connection and is never destroyed before this object: the
// reader of its data may be running inside one of its signals (with the window's events
// being handled in between) when the connection ends or a new one is started.
void ChatSocket::resetSocket()
{
    m_connectTimeout.stop();
    m_queued.clear();
    m_injected.clear();
    // Closed first, so the signals the abort raises are recognised as ours and ignored.
    m_state = State::Closed;
    m_socket->abort();
}

void ChatSocket::Connect()
{
    resetSocket();
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
    QByteArray data = m_state == State::Connected ? m_socket->readAll() : QByteArray();
    if (!m_injected.isEmpty())
        data.prepend(std::exchange(m_injected, QByteArray()));
    return data;
}

void ChatSocket::injectArrivalForTesting(const QByteArray& bytes)
{
    m_injected.append(bytes);
    emit DataArrival();
}

qint64 ChatSocket::bytesToWrite() const
{
    return m_queued.size() + m_socket->bytesToWrite();
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
    // Bytes that came with the close are still readable: hand them to the reader first.
    if (m_socket->bytesAvailable() > 0)
        emit DataArrival();
    // The reader may have closed this connection or started a new one meanwhile.
    if (m_state != State::Connected)
        return;
    resetSocket();
    emit ConnectionLost();
}

static QString plainReason(QAbstractSocket::SocketError error, const QString& fallback)
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
    const auto error = m_socket->error();
    if (m_state == State::Connecting) {
        failAttempt(plainReason(error, m_socket->errorString()));
    } else if (m_state == State::Connected &&
               m_socket->state() != QAbstractSocket::ConnectedState) {
        onDisconnected();
    }
}

void ChatSocket::onConnectTimeout()
{
    if (m_state == State::Connecting)
        failAttempt(plainReason(QAbstractSocket::SocketTimeoutError, QString()));
}

void ChatSocket::failAttempt(const QString& reason)
{
    resetSocket();
    emit ConnectFailed(reason);
}
