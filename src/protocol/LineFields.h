#pragma once

#include <QString>

#include <optional>

// Field arithmetic of the event lines (format: see LineBuffer.h). Every function takes the
// line as the handlers receive it, ending in one CR; L is its length with that CR, v the
// flag position from FlagPos. Positions are 1-based. Where a field cannot be cut (a length
// comes out negative), the result is std::nullopt and the line is to be skipped whole.

// The count characters from position start: nullopt when count < 0 or start < 1; empty
// when start lies past the end; cut short at the end of s.
std::optional<QString> Mid(const QString& s, int start, int count);

// Position of c at or after start (a start below 1 searches from 1); 0 when there is none
// or start lies past the end.
int InStr(int start, const QString& s, QChar c);

// Position of the flag field, the fourth blank-separated field of a line about a user
// (code, event name, user, flags), when it is exactly four hexadecimal digits; else 0.
int FlagPos(const QString& line);

// 1005: "<" + user + ":" + ">" + text, user = positions 6..v-1, text = v+6..L-2.
std::optional<QString> TalkDisplay(const QString& line);

// 1004: user + ":(Whispered) " + text, user = positions 13..v-1, text between the first
// and the last double quote; nullopt with fewer than two quotes.
std::optional<QString> WhisperDisplay(const QString& line);

// 1018 and 1019: the text between the first and the last double quote; empty with fewer
// than two quotes (the caller still shows an empty line).
QString InfoDisplay(const QString& line);

// 1023: user + " " + text, user = positions 12..v-1, text = v+6..L-2.
std::optional<QString> EmoteDisplay(const QString& line);

// 1001 and 1002: the user list item, positions 11..v-1, kept with its trailing blank.
std::optional<QString> ListName(const QString& line);

// 1003: positions 11..v-1 without leading and trailing blanks; empty when it cannot be cut.
QString LeaveName(const QString& line);

// 1007: positions 15..L-2; nullopt when L < 16.
std::optional<QString> ChannelName(const QString& line);

// The status bar text for a channel and the number of users in the list.
QString ChannelStatus(const QString& channel, int userCount);

// A line shown as it stands (one that does not start with an event code), without its CR.
QString PlainTextLine(const QString& line);
