#include "connection/ConnectionNotices.h"

#include "connection/ReconnectPolicy.h"

namespace ConnectionNotices {

namespace {
QString withLastChannel(QString text, const QString& lastChannel)
{
    if (!lastChannel.isEmpty())
        text += QStringLiteral(" Last channel: ") + lastChannel;
    return text;
}
} // namespace

QString reconnectingIn(int milliseconds)
{
    return QStringLiteral("Reconnecting in %1 seconds\u2026")
        .arg(ReconnectPolicy::wholeSeconds(milliseconds));
}

QString connectedAgain()
{
    return QStringLiteral("Connected again.");
}

QString stoppedReconnecting()
{
    return QStringLiteral("Stopped reconnecting.");
}

QString serverSilent(int milliseconds)
{
    return QStringLiteral("The server has sent nothing for %1 seconds since the login; the "
                          "connection is dropped.")
        .arg(ReconnectPolicy::wholeSeconds(milliseconds));
}

QString settingsNotSaved(const QString& reason)
{
    QString text = QStringLiteral("The settings could not be saved");
    if (!reason.isEmpty())
        text += QStringLiteral(": ") + reason;
    return text + QLatin1Char('.');
}

QString notConnectedStatus(const QString& lastChannel)
{
    return withLastChannel(QStringLiteral("Not connected."), lastChannel);
}

QString reconnectingStatus(const QString& lastChannel)
{
    return withLastChannel(QStringLiteral("Not connected, reconnecting\u2026"), lastChannel);
}

} // namespace ConnectionNotices
