#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// Why a text cannot be sent in pieces: the prefix leaves less than the shortest piece for
// a text that needs splitting (a whisper to a very long name), or every cut would leave a
// talk piece beginning with "/" (a run of slashes longer than a line).
enum class SplitRefusal { None, NoRoom, WouldBeCommand };

// Room a split text must leave behind the prefix in each line, in bytes.
inline constexpr int ShortestPiece = 32;

// The texts of the lines that carry `text` behind `prefix` ("", "/w name ", "/emote "), each
// line (prefix + piece) at most `longestLine` bytes of UTF-8. A text that fits stays one
// piece, also when it is empty. A longer one is cut at the last blank that leaves a piece
// fitting the limit (the blank itself is dropped, as it only separated the pieces), or, in a
// word longer than the limit, at the last character that fits; never inside a character, so
// a surrogate pair stays whole. Talk (no prefix) is never cut where the next piece would
// begin with "/", after any blanks: the server would run that piece as a command. The
// pieces of a whisper or an emote repeat their prefix, so their text may begin with anything.
// When the text cannot be split so, no pieces and the reason in `refusal`.
QStringList splitLongLine(const QString& prefix, const QString& text, int longestLine,
                          SplitRefusal* refusal = nullptr, int shortestPiece = ShortestPiece);

// What each piece of a line typed into the input box repeats when the line is split: ""
// for talk; "/w name " (also "/whisper", "/m", "/msg") or "/me " ("/emote") for the commands
// that carry a message. Nothing for any other command: a command is never split.
std::optional<QString> splitPrefixOf(const QString& line);
