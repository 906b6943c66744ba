#include "connection/ServerAddress.h"

#include <QStringList>

namespace {
// Names under a reserved domain and addresses from the documentation ranges: they never
// reach anybody's real machine.
const char* const Servers[] = {
    "chat.battle.example", "useast.chat.battle.example", "192.0.2.16", "198.51.100.24",
    "203.0.113.32",
};

bool parsePort(const QString& digits, quint16* port)
{
    bool ok = false;
    const uint value = digits.toUInt(&ok, 10);
    if (!ok || value < 1 || value > 65535 || digits.startsWith(QLatin1Char('+')))
        return false;
    *port = static_cast<quint16>(value);
    return true;
}
} // namespace

ServerAddress parseServerAddress(const QString& text)
{
    const QString trimmed = text.trimmed();
    ServerAddress address;
    address.port = DefaultServerPort;
    if (trimmed.startsWith(QLatin1Char('['))) {
        const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
        if (close < 0)
            return {};
        const QString rest = trimmed.mid(close + 1);
        if (!rest.isEmpty() &&
            !(rest.startsWith(QLatin1Char(':')) && parsePort(rest.mid(1), &address.port)))
            return {};
        address.host = trimmed.mid(1, close - 1);
    } else if (trimmed.count(QLatin1Char(':')) == 1) {
        const qsizetype colon = trimmed.indexOf(QLatin1Char(':'));
        if (!parsePort(trimmed.mid(colon + 1), &address.port))
            return {};
        address.host = trimmed.left(colon);
    } else {
        // No colon: a host name; several: an IPv6 address without a port.
        address.host = trimmed;
    }
    if (address.host.isEmpty() || address.host.contains(QLatin1Char(' ')))
        return {};
    return address;
}

QStringList serverList()
{
    QStringList list;
    for (const char* server : Servers)
        list << QString::fromLatin1(server);
    return list;
}

QString defaultServer()
{
    return QString::fromLatin1(Servers[1]);
}
