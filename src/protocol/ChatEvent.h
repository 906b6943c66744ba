/*
 * What the chat server says
 * =========================
 *
 * The handlers receive each line decoded and with a single CR appended (see ReceivedText.h);
 * every length below counts that CR. Positions are 1-based.
 *
 * An event line starts with a four-digit code, then a blank and the event name:
 *
 *   1001 USER <user> <flags> [<product>]      a member of the channel
 *   1002 JOIN <user> <flags> [<product>]      someone entered the channel
 *   1003 LEAVE <user> <flags>                 someone left the channel
 *   1009 USER <user> <flags>                  a member's flags changed
 *   1004 WHISPER <user> <flags> "<text>"      a whisper to us
 *   1005 TALK <user> <flags> "<text>"         channel talk
 *   1006 _ "<text>"                           an administrator's announcement
 *   1007 CHANNEL "<channel>"                  we entered a channel
 *   1018 INFO "<text>"                        information
 *   1019 ERROR "<text>"                       errors and notices, shown like information
 *   1023 EMOTE <user> <flags> "<text>"        an emote
 *   2010 NAME <user>                          the server accepted the login
 *
 * <flags> is the fourth blank-separated field: four hexadecimal digits (e.g. 0010, 0002).
 * FlagPos finds it; the fields are cut at fixed offsets from it (L is the line's length,
 * v the flag position):
 *
 *   1001, 1002   user = 11..v-1 (the list item, its trailing blank kept); the client tag
 *                ("[CHAT]") is the rest of the line after the flags, without blanks
 *   1003         user = 11..v-1 without leading and trailing blanks (empty if not cut)
 *   1009         user = 11..v-1 without leading and trailing blanks
 *   1004         user = 13..v-1, text = v+5..L-1 without its quotes
 *   1005         user = 6..v-1 (the event name and the name), text = v+5..L-1 without its quotes
 *   1023         user = 12..v-1, text = v+5..L-1 without its quotes
 *   2010         user = 11..L-1
 *   1007         channel = 14..L-1 without its quotes
 *   1006, 1018, 1019   text from the first to the last double quote; with fewer than two, all
 *                behind the second blank without its quote
 *
 * "Without its quotes" drops a quote at the start and one at the end, each only where it is
 * there: a line with a missing or unbalanced quote keeps the whole of its text (in a
 * well-formed line this is v+6..L-2). Quoted texts are not escaped. Where a field cannot be
 * cut (a line that ends at its flags, or at their blank) the line is unreadable and changes
 * nothing. Lines that do not start with four ASCII digits (greeting, prompts, "Login
 * failed.") are plain text; other codes are ignored.
 *
 * A line that ended without a line end (the server cut it at 255 bytes, or the connection
 * closed in its middle) has lost the end of its text when it does not end in a double
 * quote. Its text then runs to the end of the line (1006, 1018, 1019: from the first quote), and
 * it is shown followed by "…".
 * Plain text is shown as it stands.
 */
#pragma once

#include <QString>
#include <QStringBuilder>
#include <QStringView>

// An event read from a line. The fields are parts of that line, valid as long as it is.
struct ChatEvent {
    enum class Kind {
        User,       // 1001: user, flags, text (the client tag)
        Join,       // 1002: user, flags, text (the client tag)
        Leave,      // 1003: user, flags (both empty when the line has no flags)
        Flags,      // 1009: user (trimmed), flags
        Whisper,    // 1004: user, flags, text
        Talk,       // 1005: user, flags, text
        Channel,    // 1007: channel
        Info,       // 1006, 1018, 1019: text
        Emote,      // 1023: user, flags, text
        Name,       // 2010: user (the name we are logged in as)
        PlainText,  // text: the line without its CR
        Unreadable, // an event line whose fields cannot be cut
        Ignored,    // a code without a handler
    };

    Kind kind = Kind::Ignored;
    QStringView user;
    QStringView flags;
    QStringView text;
    QStringView channel;
    bool cut = false;   // the text lost its end with the line's end: shown with "…"
    bool error = false; // Info from a 1019 line: the server's error or notice
};

// The event a received line carries. The line must outlive the event. `unterminated`: the
// line ended without a line end.
ChatEvent parseChatEvent(const QString& line, bool unterminated = false);
// A temporary line would leave the fields pointing at freed text.
// (Qt's operator+ gives a const QString, hence the const overload.)
ChatEvent parseChatEvent(QString&&, bool = false) = delete;
ChatEvent parseChatEvent(const QString&&, bool = false) = delete;
template <typename A, typename B>
ChatEvent parseChatEvent(const QStringBuilder<A, B>&, bool = false) = delete;

// The line a log box shows for the event: talk, whisper, emote, information, plain text and
// the join and leave notices; empty for the other kinds. In a line with right-to-left text
// the name and the text are isolated (FieldIsolation.h).
QString displayLine(const ChatEvent& event);

// The status bar text for a channel and the number of users in the list.
QString channelStatus(const QString& channel, int userCount);

// Leading and trailing blanks removed; other white space stays.
QStringView trimBlanks(QStringView text);

// Position of the flag field, the fourth blank-separated field of a line about a user
// (code, event name, user, flags), when it is exactly four hexadecimal digits; else 0.
int FlagPos(QStringView line);
