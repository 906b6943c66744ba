#pragma once

#include <QString>

// Text that goes out as one line of the protocol: every CR and LF becomes a blank, so no
// line break can smuggle a second line into a write.
QString onOneLine(QString text);
