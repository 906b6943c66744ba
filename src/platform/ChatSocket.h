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
// made or in progress is refused (returns false) instead of vanishing.
class ChatSocket : public QObject {
    Q_OBJECT
public:
    enum class State { Closed, Connecting, Connected };

    explicit ChatSocket(QObject* parent = nullptr);
    ~ChatSocket() override;

    void setLocalPort(quint16 port) { m_localPort = port; }
    void setRemoteHost(const QString& host) { m_remoteHost = host; }
    void setRemotePort(quint16 port) { m_remotePort = port; }
    quint16 localPort() const { return m_localPort; }
    QString remoteHost() const { return m_remoteHost; }
    quint16 remotePort() const { return m_remotePort; }

    // How long a connection attempt may take before it counts as failed.
    void setConnectTimeout(int milliseconds) { m_connectTimeout.setInterval(milliseconds); }

    State state() const { return m_state; }

    // Starts connecting to the remote host and port; an open connection is dropped first.
    void Connect();
    // Drops the connection at once, with anything still queued for sending.
    void Close();
    // Queues bytes for sending. False when there is no connection, made or in progress.
    bool SendData(const QByteArray& bytes);
    // All bytes received and not read yet.
    QByteArray GetData();
    // Bytes handed to SendData and not yet passed to the operating system.
    qint64 bytesToWrite() const;

    // For the benchmark and the fuzz target only, never called by the program: makes the
    // bytes readable through GetData() as if the peer had sent them, ahead of anything the
    // connection receives later, and raises DataArrival. Works without a connection.
    void injectArrivalForTesting(const QByteArray& bytes);

signals:
    void DataArrival();
    void Connected();
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

    QTcpSocket* m_socket = nullptr;
    QTimer m_connectTimeout;
    QByteArray m_queued;
    QByteArray m_injected; // from injectArrivalForTesting(), not read yet
    State m_state = State::Closed;
    QString m_remoteHost;
    quint16 m_remotePort = 0;
    quint16 m_localPort = 0;
};
