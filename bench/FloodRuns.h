#pragma once

#include <QString>

// The flood measurements, each run in a process of its own (see bench_main.cpp). Both print
// one line "flood <mode> key=value ..." with:
//   seconds      how long the flood lasted
//   shown        lines in the log when the flood ended
//   worst_us, p99_us, probes   the delay of the probe events (DelayProbe), from the start of
//                the flood until the client had shown everything (client) or the flood
//                ended (bare)
//   peak_kb, start_kb          peak resident memory, and resident memory before the flood
//   caught_up_ms the time from the start until the last line sent was shown and the lost
//                connection reported; -1 when that did not happen within the time allowed
//   ok           1 when the log held the lines it should, in order
//
// Modes:
//   flood       the client's main window connected to a FloodServer on 127.0.0.1, offscreen
//   flood-bare  a shown QPlainTextEdit with the same block limit, appending the same display
//               lines in a loop, with a pass of the event loop every 20 ms of work
int runFloodMeasurement(const QString& mode, int seconds);

// Runs both measurements in child processes of `self` (vantric-bench --child MODE SECONDS) and
// prints the figures and ratios. With `trace`, the client's once-a-second progress too.
void runFlood(const QString& self, int seconds, bool trace);
