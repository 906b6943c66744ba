#pragma once

#include <QByteArray>
#include <QByteArrayList>

// Cuts what a client sends into lines the way the chat gateway reads them:
// - the bytes 0x03 and 0x04 are dropped wherever they appear (a client sends them first to
//   pick the chat gateway; they may arrive together with the first lines);
// - a line ends at CR or at LF, so CR LF is one line end followed by an empty line;
// - empty lines are ignored;
// - a line whose text (without its line end) has 256 bytes or more is dropped silently.
// Bytes are kept as they are: names and texts pass through in whatever encoding they came.
class GatewayLineReader {
public:
    static constexpr qsizetype MaxLineLength = 255;

    // Adds received bytes; returns the lines completed by them, in order.
    QByteArrayList feed(const QByteArray& bytes);

    // Bytes of the unfinished line held back (never more than MaxLineLength).
    qsizetype pendingBytes() const { return m_line.size(); }

private:
    QByteArray m_line;
    bool m_overlong = false; // the current line is already too long; skip to its end
};
