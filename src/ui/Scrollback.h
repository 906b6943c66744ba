#pragma once

#include <QString>

#include <optional>

class QPlainTextEdit;

// How many lines each log keeps: the oldest lines go first once a log holds more. 0 keeps
// every line. The number is kept in the settings store.
namespace Scrollback {

// The most lines a log can be set to keep; at a few hundred bytes a line, more would not
// fit in memory anyway (0, every line, is still allowed).
constexpr int MaxLines = 10'000'000;

// The number in text as the user or the settings store gives it: decimal digits, blanks
// around them allowed, from 0 to MaxLines. Nothing for anything else.
std::optional<int> parse(const QString& text);

// The number when none is stored, or what is stored is not a number.
int defaultLines();
// The stored number.
int stored();
void store(int lines);

// Makes the box keep at most `lines` lines, removing the oldest at once if it holds more.
// The caret and a selection stay on the text they were on; when their own line goes, they
// go to the start of the box.
void apply(QPlainTextEdit* box, int lines);

} // namespace Scrollback
