#pragma once

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <thread>

// A chat server on 127.0.0.1 (ephemeral port) that sends channel talk as fast as the client
// takes it, for a fixed time, and then closes the connection. It runs on a thread of its own
// and writes with blocking calls, so TCP flow control alone sets its pace: a client that
// reads everything at once gets everything, a client that holds back slows it down.
//
// Every line carries its sequence number first in the text, so the client's log can be
// checked for order and completeness.
class FloodServer {
public:
    FloodServer();
    ~FloodServer();
    FloodServer(const FloodServer&) = delete;
    FloodServer& operator=(const FloodServer&) = delete;

    // 0 when no port could be opened.
    quint16 port() const { return m_port; }

    // Accepts one connection and sends to it for `duration`, on the server's thread.
    void start(std::chrono::milliseconds duration);

    bool finished() const { return m_finished.load(); }
    // Lines written completely so far.
    qint64 linesSent() const { return m_linesSent.load(); }

    // The server line with this sequence number, without its line end, and what the client
    // shows for it in the chat log.
    static QByteArray Line(qint64 sequence);
    static QString display(qint64 sequence);
    // The sequence number of a displayed line; -1 when it is not one of these.
    static qint64 sequenceOf(const QString& display);

private:
    void serve(std::chrono::milliseconds duration);

    int m_listener = -1;
    quint16 m_port = 0;
    std::thread m_thread;
    std::atomic<qint64> m_linesSent{0};
    std::atomic<bool> m_finished{false};
};
