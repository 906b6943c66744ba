#pragma once

#include <QString>

// What the program itself says about its connection, in the chat log and the status line.
namespace ConnectionNotices {

// The chat log's line while waiting to connect again.
QString reconnectingIn(int milliseconds);
// The chat log's line once a login after a lost connection has been accepted.
QString connectedAgain();
// The chat log's line when the user ends the wait before an attempt.
QString stoppedReconnecting();
// The chat log's line when a server has sent nothing at all after the login.
QString serverSilent(int milliseconds);
// The chat log's line when the login's settings could not be stored, with the system's
// reason.
QString settingsNotSaved(const QString& reason);

// The status line while there is no connection. None of them names a channel: the client is
// in none.
QString notConnectedStatus();
// ... from a lost connection until the client is back in a channel.
QString reconnectingStatus();
// ... after the server refused the login.
QString loginFailedStatus();

} // namespace ConnectionNotices
