#pragma once

#include "ui/LineKinds.h"

#include <QString>

class QPlainTextEdit;

// The two ways the program writes into a log box. A line end in the program's text is
// CR LF; in the box it is a new line. While a LogBox shows time stamps, every line with
// text that these writers add begins with the stamp.
//
// The kind of a line picks its colour (LineKinds.h); Plain keeps the box's own text colour.
//
// AppendLine adds the text and a line end at the end of the box and puts the caret there,
// so the box shows its last line.
void AppendLine(QPlainTextEdit* box, const QString& text, LineKind kind = LineKind::Plain);

// EchoLine inserts the text and a line end at the caret, replacing the selection if there
// is one. The caret is not moved to the end first: after the user has clicked into the log
// or selected a stretch of it, the text lands there.
void EchoLine(QPlainTextEdit* box, const QString& text, LineKind kind = LineKind::Plain);

// The program's own notices (a failed or lost connection, a line not sent) each stand on a
// line of their own: like AppendLine, but when the box's last line was left open (after the
// Disconnect notice, say), a line end comes first.
void appendNotice(QPlainTextEdit* box, const QString& text, LineKind kind = LineKind::Plain);

// Inserts text at the caret, replacing the selection, without adding a line end.
void insertAtCaret(QPlainTextEdit* box, const QString& text, LineKind kind = LineKind::Plain);

// The box's text with CR LF line ends, as the program wrote it.
QString logText(const QPlainTextEdit* box);
