#include "platform/ChatSocket.h"

#include "platform/KeepAlive.h"

#include <QTcpSocket>

#include <utility>

ChatSocket::ChatSocket(QObject* parent)
    : QObject(parent)
    , m_socket(new QTcpSocket(this))
{
    m_socket->setReadBufferSize(ReadBufferSize);
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
    m_beforeLoss.clear();
    m_lossPending = false;
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

namespace {
// Up to maxBytes from the front of a byte queue; the whole queue without a copy when it fits.
QByteArray takeFront(QByteArray* queue, qint64 maxBytes)
{
    if (queue->size() <= maxBytes)
        return std::exchange(*queue, QByteArray());
    QByteArray front = queue->left(maxBytes);
    queue->remove(0, maxBytes);
    return front;
}
} // namespace

QByteArray ChatSocket::GetData(qint64 maxBytes)
{
    QByteArray data;
    if (!m_beforeLoss.isEmpty()) {
        data = takeFront(&m_beforeLoss, maxBytes);
        // Raised from the event loop, so the reader has these bytes before it hears of it.
        if (m_beforeLoss.isEmpty())
            QMetaObject::invokeMethod(this, &ChatSocket::reportLossOnceRead, Qt::QueuedConnection);
    }
    if (m_state == State::Connected && data.size() < maxBytes)
        data += m_socket->read(maxBytes - data.size());
    return data;
}

qint64 ChatSocket::bytesAvailable() const
{
    const qint64 socketBytes = m_state == State::Connected ? m_socket->bytesAvailable() : 0;
    return m_beforeLoss.size() + socketBytes;
}

qintptr ChatSocket::socketDescriptor() const
{
    return m_socket->socketDescriptor();
}

qint64 ChatSocket::bytesToWrite() const
{
    return m_queued.size() + m_socket->bytesToWrite();
}

void ChatSocket::onConnected()
{
    m_connectTimeout.stop();
    m_state = State::Connected;
    enableKeepAlive(m_socket);
    if (!m_queued.isEmpty()) {
        m_socket->write(m_queued);
        m_queued.clear();
    }
}

// Bytes that came before the close are kept for the reader (at most ReadBufferSize: the
// socket reads no further while its buffer is full, so it sees the close only after them).
// The loss is reported once the reader has taken them all.
void ChatSocket::onDisconnected()
{
    if (m_state != State::Connected)
        return;
    QByteArray rest = m_socket->readAll();
    resetSocket();
    m_beforeLoss = std::move(rest);
    m_lossPending = true;
    if (!m_beforeLoss.isEmpty())
        emit DataArrival();
    reportLossOnceRead();
}

// Reports the loss once the reader has taken every byte that came before it. A new
// connection or Close() in the meantime forgets the old connection's loss.
void ChatSocket::reportLossOnceRead()
{
    if (!m_lossPending || !m_beforeLoss.isEmpty())
        return;
    m_lossPending = false;
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
