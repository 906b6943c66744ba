#include "connection/ConnectionNotices.h"

#include "connection/ReconnectPolicy.h"

#include <QCoreApplication>

namespace ConnectionNotices {

QString reconnectingIn(int milliseconds)
{
    return QCoreApplication::translate("ConnectionNotices", "Reconnecting in %1 seconds\u2026")
        .arg(ReconnectPolicy::wholeSeconds(milliseconds));
}

QString connectedAgain()
{
    return QCoreApplication::translate("ConnectionNotices", "Connected again.");
}

QString stoppedReconnecting()
{
    return QCoreApplication::translate("ConnectionNotices", "Stopped reconnecting.");
}

QString serverSilent(int milliseconds)
{
    return QCoreApplication::translate(
               "ConnectionNotices",
               "The server has sent nothing for %1 seconds since the login; the "
               "connection is dropped.")
        .arg(ReconnectPolicy::wholeSeconds(milliseconds));
}

QString settingsNotSaved(const QString& reason)
{
    QString text =
        QCoreApplication::translate("ConnectionNotices", "The settings could not be saved");
    if (!reason.isEmpty())
        text += QStringLiteral(": ") + reason;
    return text + QLatin1Char('.');
}

QString notConnectedStatus()
{
    return QCoreApplication::translate("ConnectionNotices", "Not connected.");
}

QString reconnectingStatus()
{
    return QCoreApplication::translate("ConnectionNotices", "Not connected, reconnecting\u2026");
}

QString loginFailedStatus()
{
    return QCoreApplication::translate("ConnectionNotices", "Not connected: the login failed.");
}

} // namespace ConnectionNotices
