#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The login, in the three writes the server expects: the bytes 3 and 4 with two empty lines,
// then the user name and the password each as its own line. The texts go out as typed, in
// UTF-8: nothing is trimmed, and an empty password is an empty line.
inline QList<QByteArray> loginWrites(const QString& name, const QString& password)
{
    return {QByteArrayLiteral("\x03\x04\r\n\r\n"), name.toUtf8() + "\r\n",
            password.toUtf8() + "\r\n"};
}
