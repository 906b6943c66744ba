#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

class QTcpSocket;

// The client's one TCP connection, with the few operations the program uses: set the peer,
// start connecting without waiting, send, read all waiting bytes, close.
//
// Sends made while the connection is still being set up are queued and go out, in order,
// once it is made, so a user who logs in quickly loses nothing. A send with no connection
// made or in progress is refused (returns false) instead of vanishing. A connection made
// has TCP keep-alive on (see KeepAlive.h), so a peer that vanished is noticed.
//
// Received bytes wait in a buffer of at most ReadBufferSize bytes; while it is full, the
// socket takes nothing more from the network, so TCP flow control slows the sender down.
// DataArrival is raised when new bytes have come in, not again for bytes still waiting: a
// reader that leaves bytes unread must come back for them by itself. When the peer closes,
// the bytes that came before the close stay readable, and ConnectionLost is raised only
// once they have all been read.
class ChatSocket : public QObject {
    Q_OBJECT
public:
    enum class State { Closed, Connecting, Connected };

    // About a thousand lines of talk, more than the receive path handles between two turns
    // of the event loop (16 KiB did as well in the flood benchmark).
    static constexpr qint64 ReadBufferSize = 64 * 1024;

    explicit ChatSocket(QObject* parent = nullptr);
    ~ChatSocket() override;

    void setLocalPort(quint16 port) { m_localPort = port; }
    void setRemoteHost(const QString& host) { m_remoteHost = host; }
    void setRemotePort(quint16 port) { m_remotePort = port; }
    quint16 localPort() const { return m_localPort; }
    QString remoteHost() const { return m_remoteHost; }
    quint16 remotePort() const { return m_remotePort; }

    State state() const { return m_state; }

    // Starts connecting to the remote host and port; an open connection is dropped first.
    void Connect();
    // Drops the connection at once, with anything still queued for sending.
    void Close();
    // Queues bytes for sending. False when there is no connection, made or in progress.
    bool SendData(const QByteArray& bytes);
    // Up to maxBytes of the bytes received and not read yet, in order.
    QByteArray GetData(qint64 maxBytes);
    // Bytes received and not read yet.
    qint64 bytesAvailable() const;
    // Bytes handed to SendData and not yet passed to the operating system.
    qint64 bytesToWrite() const;
    // The system's handle of the connection; -1 while there is none.
    qintptr socketDescriptor() const;

signals:
    void DataArrival();
    // The connection attempt failed; reason is in plain words ("connection refused").
    void ConnectFailed(const QString& reason);
    // An established connection was closed by the peer or broke.
    void ConnectionLost();

private:
    void onConnected();
    void onDisconnected();
    void onError();
    void onConnectTimeout();
    void failAttempt(const QString& reason);
    void resetSocket();
    void reportLossOnceRead();

    QTcpSocket* m_socket = nullptr;
    QTimer m_connectTimeout;
    QByteArray m_queued;
    QByteArray m_beforeLoss; // received before the peer closed, not read yet
    bool m_lossPending = false;
    State m_state = State::Closed;
    QString m_remoteHost;
    quint16 m_remotePort = 0;
    quint16 m_localPort = 0;
};
