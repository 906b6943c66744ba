#pragma once

#include <QByteArray>

// Builders of the event lines the server sends. An event line is
//     CODE KIND [NAME FLAGS] [TEXT]  CR LF
// e.g. `1005 TALK alice 0010 "hello"` or `1018 INFO "No one hears you."`. Flags are four
// lower-case hex digits. Quotes inside a text are not escaped: a reader takes the text from
// the first to the last quote. A line longer than 255 bytes (line end included) is cut to
// 255 bytes, so it loses its closing quote and line end and the next line follows directly
// behind it, as a real server of the protocol does.
namespace gateway {

inline constexpr qsizetype MaxOutgoingLine = 255;

// Bits of the flags field.
inline constexpr quint16 FlagAdministrator = 0x0001;
inline constexpr quint16 FlagChannelOperator = 0x0002;
inline constexpr quint16 FlagNoUdp = 0x0010; // every chat gateway user has it after login
inline constexpr quint16 FlagSquelched = 0x0020;

QByteArray flagText(quint16 flags);

// body + CR LF, cut at MaxOutgoingLine bytes.
QByteArray finishLine(const QByteArray& body);

// `1018 INFO "text"`, `1019 ERROR "text"` and the like.
QByteArray textLine(const char* codeAndKind, const QByteArray& text);

// `1003 LEAVE name flags`, `1009 USER name flags`.
QByteArray userLine(const char* codeAndKind, const QByteArray& name, quint16 flags);

// `1001 USER name flags [CHAT]`, `1002 JOIN name flags [CHAT]`.
QByteArray presenceLine(const char* codeAndKind, const QByteArray& name, quint16 flags);

// `1005 TALK name flags "text"`, `1004 WHISPER ...`, `1010 WHISPER ...`, `1023 EMOTE ...`.
QByteArray userTextLine(const char* codeAndKind, const QByteArray& name, quint16 flags,
                        const QByteArray& text);

} // namespace gateway
