#include "platform/KeepAlive.h"

#include <QAbstractSocket>
#include <QVariant>

#ifdef Q_OS_WIN
#include <winsock2.h>
#include <ws2tcpip.h>
#else
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

namespace {
#ifdef Q_OS_WIN
using Descriptor = SOCKET;
#else
using Descriptor = int;
#endif

// A failed option leaves the system's value in place; keep-alive itself is still on.
[[maybe_unused]] void setTcpOption(Descriptor descriptor, int option, int value)
{
#ifdef Q_OS_WIN
    const DWORD native = DWORD(value);
    setsockopt(descriptor, IPPROTO_TCP, option, reinterpret_cast<const char*>(&native),
               sizeof native);
#else
    setsockopt(descriptor, IPPROTO_TCP, option, &value, sizeof value);
#endif
}
} // namespace

void enableKeepAlive(QAbstractSocket* socket, [[maybe_unused]] const KeepAliveTimes& times)
{
    socket->setSocketOption(QAbstractSocket::KeepAliveOption, 1);
    const qintptr handle = socket->socketDescriptor();
    if (handle == -1)
        return;
    [[maybe_unused]] const auto descriptor = Descriptor(handle);
#if defined(TCP_KEEPIDLE)
    setTcpOption(descriptor, TCP_KEEPIDLE, times.idleSeconds);
#elif defined(TCP_KEEPALIVE)
    setTcpOption(descriptor, TCP_KEEPALIVE, times.idleSeconds); // macOS's name for it
#endif
#ifdef TCP_KEEPINTVL
    setTcpOption(descriptor, TCP_KEEPINTVL, times.intervalSeconds);
#endif
#ifdef TCP_KEEPCNT
    setTcpOption(descriptor, TCP_KEEPCNT, times.probes);
#endif
#ifdef TCP_USER_TIMEOUT
    const int giveUpSeconds = times.idleSeconds + times.intervalSeconds * times.probes;
    setTcpOption(descriptor, TCP_USER_TIMEOUT, giveUpSeconds * 1000);
#endif
}
