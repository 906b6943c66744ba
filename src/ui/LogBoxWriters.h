#pragma once

#include "ui/LineKinds.h"

#include <QString>

class QPlainTextEdit;

// The ways the program writes into a log box. A line end in the program's text is CR LF; in
// the box it is a new line. While a LogBox shows time stamps, every line with text that
// these writers add begins with the stamp.
//
// Every writer adds its text at the end of the box and leaves the user's caret and
// selection on the text they were on. A view at the bottom of the box follows the new text;
// a view the user has scrolled up stays on the text it shows (also when the oldest lines
// go), and a LogBox says how many new lines are below. The kind of a line picks its colour
// (LineKinds.h); Plain keeps the box's own text colour.

// Adds the text and a line end.
void AppendLine(QPlainTextEdit* box, const QString& text, LineKind kind = LineKind::Plain);

// The program's echo of what the user sent, and its help texts: the text and a line end,
// as AppendLine adds them.
void EchoLine(QPlainTextEdit* box, const QString& text, LineKind kind = LineKind::Plain);

// The program's own notices (a failed or lost connection, a line not sent) each stand on a
// line of their own: like AppendLine, but when the box's last line was left open (after the
// Disconnect notice, say), a line end comes first.
void appendNotice(QPlainTextEdit* box, const QString& text, LineKind kind = LineKind::Plain);

// Adds the text without a line end, leaving the last line open.
void appendOpenText(QPlainTextEdit* box, const QString& text, LineKind kind = LineKind::Plain);

// The box's text with CR LF line ends, as the program wrote it (without the isolates that
// keep the fields of a right-to-left line in order, FieldIsolation.h).
QString logText(const QPlainTextEdit* box);
