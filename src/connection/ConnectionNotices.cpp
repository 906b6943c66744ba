#include "connection/ConnectionNotices.h"

#include "connection/ReconnectPolicy.h"

namespace ConnectionNotices {

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

QString notConnectedStatus()
{
    return QStringLiteral("Not connected.");
}

QString reconnectingStatus()
{
    return QStringLiteral("Not connected, reconnecting\u2026");
}

QString loginFailedStatus()
{
    return QStringLiteral("Not connected: the login failed.");
}

} // namespace ConnectionNotices
