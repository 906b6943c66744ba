#pragma once

#include <QString>

// One measurement, run in a process of its own so that its peak memory is its own. Prints
// one line "result <mode> lines=<n> ns=<time> peak_kb=<peak> input_kb=<memory before>" and
// returns the exit code (non-zero when the run did not show what it was fed).
//
// Modes, all fed the same generated traffic:
//   cut        the client's line cutting alone (LineBuffer), no decoding, no widgets
//   full       the real receive path: arrivals of 1 to 16 KiB into the main window's socket,
//              handlers, logs, user list and status line, window shown (offscreen)
//   full-one   the same with all the bytes in one arrival: the window gets its turns by
//              time alone (every MaxReceiveWorkMs)
//   bare       the display lines appended to a shown QPlainTextEdit with Qt's defaults,
//              keeping as many lines as the client's logs do
//   bare-log   the same, the box read-only and without undo, as the client's logs are
//   bare-pass  the bare box with a full event-loop pass after every line
int runReceiveMeasurement(const QString& mode, int lines);
