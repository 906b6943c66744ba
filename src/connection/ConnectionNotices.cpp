#include "connection/ConnectionNotices.h"

#include "connection/ReconnectPolicy.h"

namespace ConnectionNotices {

namespace {
QString WithLastChannel(QString text, const QString& lastChannel)
{
    if (!lastChannel.isEmpty())
        text += QStringLiteral(" Last channel: ") + lastChannel;
    return text;
}
} // namespace

QString ReconnectingIn(int milliseconds)
{
    return QStringLiteral("Reconnecting in %1 seconds\u2026")
        .arg(ReconnectPolicy::WholeSeconds(milliseconds));
}

QString ConnectedAgain()
{
    return QStringLiteral("Connected again.");
}

QString StoppedReconnecting()
{
    return QStringLiteral("Stopped reconnecting.");
}

QString ServerSilent(int milliseconds)
{
    return QStringLiteral("The server has sent nothing for %1 seconds since the login; the "
                          "connection is dropped.")
        .arg(ReconnectPolicy::WholeSeconds(milliseconds));
}

QString SettingsNotSaved(const QString& reason)
{
    QString text = QStringLiteral("The settings could not be saved");
    if (!reason.isEmpty())
        text += QStringLiteral(": ") + reason;
    return text + QLatin1Char('.');
}

QString NotConnectedStatus(const QString& lastChannel)
{
    return WithLastChannel(QStringLiteral("Not connected."), lastChannel);
}

QString ReconnectingStatus(const QString& lastChannel)
{
    return WithLastChannel(QStringLiteral("Not connected, reconnecting\u2026"), lastChannel);
}

} // namespace ConnectionNotices
