#pragma once

#include <QColor>
#include <QPalette>

#include <array>

// What a line in a log is, so that each kind can have a colour of its own. Plain is a line
// the program writes without saying what it is: it keeps the box's own text colour.
enum class LineKind {
    Plain,
    Talk,       // channel talk from someone else
    OwnEcho,    // the user's own talk and emotes, echoed as they go out
    WhisperIn,  // a whisper to the user
    WhisperOut, // the user's own whisper, echoed
    Emote,      // an emote from someone else
    Info,       // the server's information lines, its greeting and prompts
    Error,      // the server's error lines and the program's own failure notices
    JoinLeave,  // someone came or went
};
inline constexpr int LineKindCount = 9;

// The colours of one log, derived from its palette so that they read in a light and in a
// dark theme: every text colour keeps a contrast of at least MinContrast against the
// background and against the mention tint.
struct LogColours {
    std::array<QColor, LineKindCount> text;
    QColor link;
    QColor background;
    QColor mention; // the background behind a line that names the user
};
inline constexpr double MinContrast = 4.5;

LogColours logColours(const QPalette& palette);

// The contrast ratio of two colours as the web content accessibility guidelines define it,
// from 1 (the same) to 21 (black on white).
double contrastRatio(const QColor& a, const QColor& b);
