#pragma once

#include <QString>

// Where to connect: the server box holds "host" or "host:port"; an IPv6 address stands in
// brackets when it carries a port ("[::1]:6112").
struct ServerAddress {
    QString host;
    quint16 port = 0;
};

inline constexpr quint16 DefaultServerPort = 6112;

// The address a server text names, with port 6112 when it gives none; an empty host when
// the text names no usable server (nothing but blanks, a port that is not a number from 1
// to 65535, an unclosed bracket).
ServerAddress parseServerAddress(const QString& text);

// The five servers the connect dialog lists; the second is the one File > Connect uses
// until another has been chosen.
QStringList serverList();
QString defaultServer();
