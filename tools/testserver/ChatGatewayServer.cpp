#include "ChatGatewayServer.h"

#include "ChatService.h"
#include "GatewayLineReader.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>

#include <utility>

struct ChatGatewayServer::Session {
    QTcpSocket* socket = nullptr; // a child of the QTcpServer; deleted later once closed
    GatewayLineReader reader;
    QByteArray received;
    QByteArray sent;
    QString userName;
    int user = -1; // service user id; -1 without the protocol or once logged out
    bool open = true;
    bool paused = false;
    bool protocolChosen = false; // the first byte has been seen
};

ChatGatewayServer::ChatGatewayServer(QObject* parent)
    : QObject(parent)
    , m_server(new QTcpServer(this))
    , m_service(std::make_unique<ChatService>())
{
    connect(m_server, &QTcpServer::newConnection, this, &ChatGatewayServer::acceptConnections);
    connect(m_service.get(), &ChatService::deliver, this, &ChatGatewayServer::deliver);
    connect(m_service.get(), &ChatService::loggedIn, this, &ChatGatewayServer::onLoggedIn);
    connect(m_service.get(), &ChatService::closeRequested, this,
            &ChatGatewayServer::onCloseRequested);
}

ChatGatewayServer::~ChatGatewayServer()
{
    // The sockets die with the QTcpServer after this object's members; they must not call
    // back into a half-destroyed server.
    for (const auto& session : m_sessions) {
        if (session->socket)
            session->socket->disconnect(this);
    }
    m_service->disconnect(this);
}

bool ChatGatewayServer::listen(quint16 port)
{
    return m_server->listen(QHostAddress::LocalHost, port);
}

void ChatGatewayServer::shutDown()
{
    m_server->close();
    for (int index = 0; index < sessionCount(); ++index) {
        if (!sessionUser(index).isEmpty())
            sendRaw("1019 ERROR \"The server will shut down in 2 seconds. Please log off.\"\r\n",
                    index);
        closeSession(index);
    }
}

quint16 ChatGatewayServer::serverPort() const
{
    return m_server->serverPort();
}

QString ChatGatewayServer::errorString() const
{
    return m_server->errorString();
}

void ChatGatewayServer::setAccounts(const QHash<QString, QString>& nameToPassword)
{
    QHash<QByteArray, QByteArray> accounts;
    for (auto it = nameToPassword.cbegin(); it != nameToPassword.cend(); ++it)
        accounts.insert(it.key().toUtf8(), it.value().toUtf8());
    m_service->setAccounts(accounts);
}

void ChatGatewayServer::setProtocolEnabled(bool enabled)
{
    m_protocolEnabled = enabled;
}

void ChatGatewayServer::setFloodQuotaEnabled(bool enabled)
{
    m_service->setFloodQuotaEnabled(enabled);
}

void ChatGatewayServer::setClock(std::function<qint64()> seconds)
{
    m_service->setClock(std::move(seconds));
}

int ChatGatewayServer::sessionCount() const
{
    return int(m_sessions.size());
}

int ChatGatewayServer::resolve(int session) const
{
    return session == -1 ? sessionCount() - 1 : session;
}

ChatGatewayServer::Session* ChatGatewayServer::sessionAt(int session) const
{
    const int index = resolve(session);
    if (index < 0 || index >= sessionCount())
        return nullptr;
    return m_sessions[size_t(index)].get();
}

bool ChatGatewayServer::isSessionOpen(int session) const
{
    const Session* s = sessionAt(session);
    return s && s->open;
}

QString ChatGatewayServer::sessionUser(int session) const
{
    const Session* s = sessionAt(session);
    return s ? s->userName : QString();
}

QByteArray ChatGatewayServer::received(int session) const
{
    const Session* s = sessionAt(session);
    return s ? s->received : QByteArray();
}

QByteArray ChatGatewayServer::sent(int session) const
{
    const Session* s = sessionAt(session);
    return s ? s->sent : QByteArray();
}

void ChatGatewayServer::sendRaw(const QByteArray& bytes, int session)
{
    Session* s = sessionAt(session);
    if (!s || !s->open)
        return;
    s->socket->write(bytes);
    s->sent += bytes;
}

void ChatGatewayServer::closeSession(int session)
{
    Session* s = sessionAt(session);
    if (s && s->open)
        s->socket->disconnectFromHost(); // finishSession() runs on `disconnected`
}

void ChatGatewayServer::setReadingPaused(bool paused, int session)
{
    const int index = resolve(session);
    Session* s = sessionAt(index);
    if (!s || !s->open || s->paused == paused)
        return;
    s->paused = paused;
    // A read buffer limit makes the socket stop reading from the system once it holds that
    // much; 0 lifts the limit again.
    s->socket->setReadBufferSize(paused ? 1 : 0);
    if (!paused)
        QMetaObject::invokeMethod(
            this, [this, index] { readSession(index); }, Qt::QueuedConnection);
}

void ChatGatewayServer::acceptConnections()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        const int index = sessionCount();
        auto session = std::make_unique<Session>();
        session->socket = socket;
        // Replies are small and come in bursts; without this the tests wait on delayed ACKs.
        socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        m_sessions.push_back(std::move(session));
        connect(socket, &QTcpSocket::readyRead, this, [this, index] { readSession(index); });
        connect(socket, &QTcpSocket::disconnected, this, [this, index] { finishSession(index); });

        if (m_protocolEnabled) {
            const int user = m_service->openConnection();
            m_sessions.back()->user = user;
            m_sessionOfUser.insert(user, index);
            m_service->greet(user, socket->peerAddress().toString().toLatin1());
        }
        emit sessionStarted(index);
    }
}

void ChatGatewayServer::readSession(int index)
{
    Session* s = sessionAt(index);
    if (!s || !s->socket || s->paused)
        return;
    const QByteArray bytes = s->socket->readAll();
    if (bytes.isEmpty())
        return;
    s->received += bytes;
    emit bytesReceived(index, bytes);
    if (s->user < 0)
        return;
    if (!s->protocolChosen) {
        s->protocolChosen = true;
        if (bytes.front() != '\x03') {
            dropSession(s);
            return;
        }
    }
    for (const QByteArray& line : s->reader.feed(bytes)) {
        if (s->user < 0) // logged out by an earlier line of the same chunk
            break;
        m_service->receiveLine(s->user, line);
    }
    if (s->user >= 0 && m_service->hasFlooded(s->user))
        dropSession(s);
}

// The user leaves the service at once; the bytes already queued for it still go out.
void ChatGatewayServer::dropSession(Session* s)
{
    m_sessionOfUser.remove(s->user);
    m_service->closeConnection(std::exchange(s->user, -1));
    s->socket->disconnectFromHost();
}

void ChatGatewayServer::finishSession(int index)
{
    Session* s = sessionAt(index);
    if (!s || !s->open)
        return;
    readSession(index); // anything that came together with the end of the connection
    s->open = false;
    if (s->user >= 0) {
        m_sessionOfUser.remove(s->user);
        const int user = std::exchange(s->user, -1);
        m_service->closeConnection(user);
    }
    s->socket->deleteLater();
    s->socket = nullptr;
    emit sessionClosed(index);
}

void ChatGatewayServer::deliver(int user, const QByteArray& bytes)
{
    if (m_virtualUsers.contains(user)) {
        m_virtualInbox[m_virtualUsers.value(user)] += bytes;
        return;
    }
    if (Session* s = sessionAt(m_sessionOfUser.value(user, -2)); s && s->open) {
        s->socket->write(bytes);
        s->sent += bytes;
    }
}

void ChatGatewayServer::onLoggedIn(int user, const QByteArray& name)
{
    const int index = m_sessionOfUser.value(user, -2);
    if (Session* s = sessionAt(index)) {
        s->userName = QString::fromUtf8(name);
        emit loggedIn(index, s->userName);
    }
}

void ChatGatewayServer::onCloseRequested(int user)
{
    if (m_virtualUsers.remove(user))
        return;
    const int index = m_sessionOfUser.take(user);
    if (Session* s = sessionAt(index)) {
        s->user = -1;
        s->socket->disconnectFromHost();
    }
}

int ChatGatewayServer::virtualUserId(const QString& name) const
{
    const int user = m_service->findOnline(name.toUtf8());
    return m_virtualUsers.contains(user) ? user : -1;
}

bool ChatGatewayServer::addVirtualUser(const QString& name, const QString& channel)
{
    if (!m_protocolEnabled || channel.trimmed().isEmpty())
        return false;
    const int user = m_service->addVirtualUser(name.toUtf8());
    if (user < 0)
        return false;
    const QByteArray nameKey = name.toUtf8().toLower();
    m_virtualUsers.insert(user, nameKey);
    m_virtualInbox.insert(nameKey, {});
    m_service->enterAfterLogin(user, channel.toUtf8());
    return true;
}

bool ChatGatewayServer::virtualUserSends(const QString& name, const QByteArray& line)
{
    const int user = virtualUserId(name);
    if (user < 0)
        return false;
    m_service->receiveLine(user, line);
    return true;
}

bool ChatGatewayServer::removeVirtualUser(const QString& name)
{
    const int user = virtualUserId(name);
    if (user < 0)
        return false;
    m_virtualUsers.remove(user);
    m_service->closeConnection(user);
    return true;
}

QByteArray ChatGatewayServer::virtualUserReceived(const QString& name) const
{
    return m_virtualInbox.value(name.toUtf8().toLower());
}

QString ChatGatewayServer::channelOf(const QString& name) const
{
    return QString::fromUtf8(m_service->channelOf(m_service->findOnline(name.toUtf8())));
}

QStringList ChatGatewayServer::channelUsers(const QString& channel) const
{
    QStringList names;
    for (const QByteArray& name : m_service->channelMembers(channel.toUtf8()))
        names << QString::fromUtf8(name);
    return names;
}

void ChatGatewayServer::announce(const QString& text)
{
    m_service->announce(text.toUtf8());
}
