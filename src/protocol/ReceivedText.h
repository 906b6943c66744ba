#pragma once

#include <QByteArray>
#include <QString>

// Turns the bytes of one received line into the text the handlers work on. The server
// passes text through byte for byte, so a line may be UTF-8 or a legacy 8-bit code page.

// UTF-8 when the bytes are valid UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF); otherwise one character per byte in Windows-1252.
QString decodeLine(const QByteArray& bytes);

// Replaces every character that a text box would act on instead of showing (C0 and C1
// controls except tab, DEL, the Unicode line and paragraph separators, and the explicit
// bidirectional embeddings, overrides and isolates, which could make a line show its parts
// in another order than sent), and every character it would not show at all (Unicode's
// format category and the other default-ignorable code points, with which two names could
// look alike), with a visible symbol, one character for one character. Right-to-left
// letters are left alone: they need no controls; so are the presentation selectors and
// joiners inside emoji sequences, where they make one emoji and cannot disguise a name.
QString makeControlsVisible(QString text);

// The line as the handlers receive it: decoded, controls made visible, ending in one CR.
QString lineForHandler(const QByteArray& rawLine);

// The chat log's line in place of a line that was dropped because it was longer than the
// receive path keeps (LineBuffer::MaxLineLength), so that a missing message is noticed.
QString droppedLineNotice();
