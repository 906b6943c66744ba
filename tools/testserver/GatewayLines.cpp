#include "GatewayLines.h"

namespace gateway {

QByteArray flagText(quint16 flags)
{
    return QByteArray::number(flags, 16).rightJustified(4, '0');
}

QByteArray finishLine(const QByteArray& body)
{
    return (body + "\r\n").left(MaxOutgoingLine);
}

QByteArray textLine(const char* codeAndKind, const QByteArray& text)
{
    return finishLine(QByteArray(codeAndKind) + " \"" + text + '"');
}

QByteArray userLine(const char* codeAndKind, const QByteArray& name, quint16 flags)
{
    return finishLine(QByteArray(codeAndKind) + ' ' + name + ' ' + flagText(flags));
}

QByteArray presenceLine(const char* codeAndKind, const QByteArray& name, quint16 flags)
{
    return finishLine(QByteArray(codeAndKind) + ' ' + name + ' ' + flagText(flags) + " [CHAT]");
}

QByteArray userTextLine(const char* codeAndKind, const QByteArray& name, quint16 flags,
                        const QByteArray& text)
{
    return finishLine(QByteArray(codeAndKind) + ' ' + name + ' ' + flagText(flags) + " \"" + text +
                      '"');
}

} // namespace gateway
