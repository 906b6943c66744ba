#pragma once

#include <QString>

// What the program itself says about its connection, in the chat log and the status line.
namespace ConnectionNotices {

// The chat log's line while waiting to connect again.
QString ReconnectingIn(int milliseconds);
// The chat log's line once a login after a lost connection has been accepted.
QString ConnectedAgain();
// The chat log's line when the user ends the wait before an attempt.
QString StoppedReconnecting();
// The chat log's line when a server has sent nothing at all after the login.
QString ServerSilent(int milliseconds);
// The chat log's line when the login's settings could not be stored, with the system's
// reason.
QString SettingsNotSaved(const QString& reason);

// The status line while there is no connection, naming the last channel if there was one.
QString NotConnectedStatus(const QString& lastChannel);
// The status line from a lost connection until the client is back in a channel.
QString ReconnectingStatus(const QString& lastChannel);

} // namespace ConnectionNotices
