#pragma once

#include <QByteArray>
#include <QString>

// Turns the bytes of one received line into the text the handlers work on. The server
// passes text through byte for byte, so a line may be UTF-8 or a legacy 8-bit code page.

// UTF-8 when the bytes are valid UTF-8 (no overlong forms, no surrogates, nothing above
// U+10FFFF); otherwise one character per byte in Windows-1252.
QString DecodeLine(const QByteArray& bytes);

// Replaces every character that a text box would act on instead of showing (C0 and C1
// controls except tab, DEL, and the Unicode line and paragraph separators) with a visible
// symbol, one for one, so character positions stay as they were.
QString MakeControlsVisible(QString text);

// The line as the handlers receive it: decoded, controls made visible, ending in one CR.
QString LineForHandler(const QByteArray& rawLine);
