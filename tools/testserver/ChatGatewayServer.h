#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class ChatService;
class QTcpServer;

// A chat gateway server on 127.0.0.1, for trying the client without an account and as the
// peer of the client's tests.
//
// With the protocol enabled (the default) every connection gets the plain-text login
// dialogue and then takes part in the chat service (see ChatService). The client's first
// byte picks the protocol: 0x03 is the chat gateway; with any other byte the client wants a
// protocol this server does not speak, and the connection is closed. With it disabled the
// server is a silent recording peer: it sends nothing of its own, only what sendRaw() is
// given. The setting applies to connections accepted after it was made.
//
// Every connection is a session, numbered from 0 in order of acceptance; session -1 means
// the latest one. All bytes a client sends are recorded raw, whatever the mode.
//
// Virtual users are logged-in users without a connection, scripted by the caller, so a test
// can see JOIN, LEAVE, TALK and WHISPER lines exactly as the service makes them.
class ChatGatewayServer : public QObject {
    Q_OBJECT
public:
    explicit ChatGatewayServer(QObject* parent = nullptr);
    ~ChatGatewayServer() override;

    // Listens on 127.0.0.1 only; port 0 picks a free port (see serverPort()).
    bool listen(quint16 port = 0);
    // Goes down like a real server: every logged-in session gets the shutdown notice, then
    // every connection is closed and nothing more is accepted. listen() on the same port
    // afterwards is a restart; the session numbers go on.
    void shutDown();
    quint16 serverPort() const;
    QString errorString() const;

    // Empty (the default): any name logs in with any password.
    void setAccounts(const QHash<QString, QString>& nameToPassword);
    void setProtocolEnabled(bool enabled);
    bool isProtocolEnabled() const { return m_protocolEnabled; }
    // The flood quota of logged-in users (see FloodQuota): on by default.
    void setFloodQuotaEnabled(bool enabled);
    // The quota's clock in whole seconds, so a test can move time on without waiting.
    void setClock(std::function<qint64()> seconds);

    int sessionCount() const;
    bool isSessionOpen(int session = -1) const;
    // Name the session is logged in as; empty before the login or without the protocol.
    QString sessionUser(int session = -1) const;
    // Every byte the client sent, as it came (the bytes 3 and 4 included).
    QByteArray received(int session = -1) const;
    // Every byte the server sent to the client.
    QByteArray sent(int session = -1) const;
    void sendRaw(const QByteArray& bytes, int session = -1);
    // Closes the connection after the bytes already queued have been sent.
    void closeSession(int session = -1);
    // While paused nothing is read from the socket, so the client's data piles up in the
    // socket buffers and, once they are full, in the client's send buffer. Resuming reads
    // and handles everything that waited.
    void setReadingPaused(bool paused, int session = -1);

    // Adds a logged-in user without a connection to `channel` (created when needed). Fails
    // when the name is already logged in or unusable, or without the protocol.
    bool addVirtualUser(const QString& name, const QString& channel = QStringLiteral("Chat"));
    // Handles `line` as if the virtual user had typed it: talk, "/w bob hi", "/join x" ...
    bool virtualUserSends(const QString& name, const QByteArray& line);
    // The virtual user disconnects (the others of its channel see it leave).
    bool removeVirtualUser(const QString& name);
    // Everything the service has sent to the virtual user.
    QByteArray virtualUserReceived(const QString& name) const;

    // Channel (its own spelling) of a logged-in user, real or virtual; empty when in none.
    QString channelOf(const QString& name) const;
    // Logged-in members of a channel in order of entry; the first is the operator.
    QStringList channelUsers(const QString& channel) const;
    // `1006 _ "Announcement from admin: <text>"` to every logged-in user.
    void announce(const QString& text);

signals:
    void sessionStarted(int session);
    void bytesReceived(int session, const QByteArray& bytes);
    void loggedIn(int session, const QString& name);
    void sessionClosed(int session);

private:
    struct Session;

    int resolve(int session) const;
    Session* sessionAt(int session) const;
    void acceptConnections();
    void readSession(int index);
    void finishSession(int index);
    void dropSession(Session* s);
    void deliver(int user, const QByteArray& bytes);
    void onLoggedIn(int user, const QByteArray& name);
    void onCloseRequested(int user);
    int virtualUserId(const QString& name) const;

    QTcpServer* m_server = nullptr;
    std::unique_ptr<ChatService> m_service;
    std::vector<std::unique_ptr<Session>> m_sessions;
    QHash<int, int> m_sessionOfUser;              // service user id -> session index
    QHash<int, QByteArray> m_virtualUsers;        // service user id -> key of its name
    QHash<QByteArray, QByteArray> m_virtualInbox; // key of name -> bytes delivered
    bool m_protocolEnabled = true;
};
