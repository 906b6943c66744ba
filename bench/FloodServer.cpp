#include "FloodServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

namespace {

const char* const Speakers[] = {"Kamorvel", "Drasin", "Toriliaye", "Zenqua", "Bonyx", "Fenash"};
constexpr int SpeakerCount = sizeof(Speakers) / sizeof(Speakers[0]);
// With the code, name, flags and quotes, lines are about 60 bytes long.
constexpr char Said[] = "anyone want to play a game tonight";

// Everything written, or false when the client went away.
bool sendAll(int socket, const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t sent = ::send(socket, data, size_t(size), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return false;
        data += sent;
        size -= sent;
    }
    return true;
}

} // namespace

FloodServer::FloodServer()
{
    m_listener = ::socket(AF_INET, SOCK_STREAM, 0);
    if (m_listener < 0)
        return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    socklen_t length = sizeof(address);
    if (::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
        ::listen(m_listener, 1) != 0 ||
        ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(m_listener);
        m_listener = -1;
        return;
    }
    m_port = ntohs(address.sin_port);
}

FloodServer::~FloodServer()
{
    if (m_listener >= 0)
        ::shutdown(m_listener, SHUT_RDWR); // wakes an accept() that still waits
    if (m_thread.joinable())
        m_thread.join();
    if (m_listener >= 0)
        ::close(m_listener);
}

void FloodServer::start(std::chrono::milliseconds duration)
{
    m_thread = std::thread([this, duration] { serve(duration); });
}

void FloodServer::serve(std::chrono::milliseconds duration)
{
    const int client = ::accept(m_listener, nullptr, nullptr);
    if (client < 0) {
        m_finished = true;
        return;
    }
    const auto end = std::chrono::steady_clock::now() + duration;
    QByteArray block;
    qint64 next = 0;
    while (std::chrono::steady_clock::now() < end) {
        // About 64 KiB of whole lines per write.
        block.clear();
        const qint64 first = next;
        while (block.size() < 64 * 1024) {
            block += Line(next++);
            block += "\r\n";
        }
        if (!sendAll(client, block.constData(), block.size()))
            break;
        m_linesSent += next - first;
    }
    ::shutdown(client, SHUT_WR);
    // Waits until the client has read everything and closed, so no byte is lost to a reset.
    char sink[256];
    while (::recv(client, sink, sizeof(sink), 0) > 0) {
    }
    ::close(client);
    m_finished = true;
}

QByteArray FloodServer::Line(qint64 sequence)
{
    char line[128];
    const int length =
        std::snprintf(line, sizeof(line), "1005 TALK %s 0010 \"%lld %s\"",
                      Speakers[sequence % SpeakerCount], static_cast<long long>(sequence), Said);
    return QByteArray(line, length);
}

QString FloodServer::display(qint64 sequence)
{
    return QStringLiteral("<TALK %1 :>%2 %3")
        .arg(QLatin1String(Speakers[sequence % SpeakerCount]))
        .arg(sequence)
        .arg(QLatin1String(Said));
}

qint64 FloodServer::sequenceOf(const QString& display)
{
    const qsizetype start = display.indexOf(QStringLiteral(":>"));
    if (start < 0 || !display.startsWith(QStringLiteral("<TALK ")))
        return -1;
    const qsizetype end = display.indexOf(QLatin1Char(' '), start);
    bool ok = false;
    const qint64 sequence = display.mid(start + 2, end - start - 2).toLongLong(&ok);
    return ok ? sequence : -1;
}
