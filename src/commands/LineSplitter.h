#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// The texts of the lines that carry `text` behind `prefix` ("", "/w name ", "/emote "), each
// line (prefix + piece) at most `longestLine` bytes of UTF-8. A text that fits stays one
// piece, also when it is empty. A longer one is cut at the last blank that leaves a piece
// fitting the limit (the blank itself is dropped, as it only separated the pieces), or, in a
// word longer than the limit, at the last character that fits; never inside a character, so
// a surrogate pair stays whole. Every piece holds at least one character, so a prefix that
// fills the limit on its own still gets the text out.
QStringList splitLongLine(const QString& prefix, const QString& text, int longestLine);

// What each piece of a line typed into the input box repeats when the line is split: ""
// for talk; "/w name " (also "/whisper", "/m", "/msg") or "/me " ("/emote") for the commands
// that carry a message. Nothing for any other command: a command is never split.
std::optional<QString> splitPrefixOf(const QString& line);
