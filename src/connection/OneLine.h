#pragma once

#include <QString>

class QLineEdit;

// Text that goes out as one line of the protocol: every CR and LF becomes a blank, so no
// line break can smuggle a second line into a write.
QString onOneLine(QString text);

// Keeps a line edit free of CR and LF whatever is typed, pasted or set into it.
void keepOnOneLine(QLineEdit* edit);
