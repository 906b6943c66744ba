/*
 * How the chat server's bytes become lines
 * ========================================
 *
 * The server sends a stream of bytes, cut into lines. A line ends at CR LF, at a lone CR or
 * at a lone LF (a CR at the end of one arrival and an LF at the start of the next are one
 * line end). Arrivals from the socket have nothing to do with line borders: a line may be
 * split over any number of arrivals, and the bytes after the last line end of an arrival
 * are kept for the next one. A line longer than LineBuffer::MaxLineLength bytes is dropped
 * whole, up to its line end.
 *
 * The server cuts every line it sends after LineBuffer::ServerCut (255) bytes: a cut line
 * loses its closing quote and its line end, and the next line follows directly behind it.
 * So a line longer than that (and not too long to be kept) whose bytes from offset 255 on
 * begin with an event code (four ASCII digits and a blank) ends at offset 255, and the next
 * line starts there.
 *
 * Each line is then decoded on its own (ReceivedText.h); what a line means is described in
 * ChatEvent.h.
 */
#pragma once

#include <QByteArray>
#include <QList>

// Cuts received bytes into lines. Bytes only: decoding is done per line elsewhere.
// Memory stays bounded: a line without line end is never held beyond MaxLineLength bytes, and
// the receive path appends no more than room() allows.
//
// Appending and taking cost time in proportion to the bytes appended: bytes already taken
// are dropped from the front only once they make up half of the storage, so no byte is
// moved more than once on average.
class LineBuffer {
public:
    static constexpr qsizetype MaxLineLength = 64 * 1024;
    static constexpr qsizetype ServerCut = 255;
    // The most bytes the receive path keeps here: about 4,000 lines of channel talk, several
    // turns' worth of work even on a fast machine, so the window never waits for the socket.
    // A larger buffer shows lines no faster (measured from 64 KiB to 4 MiB), it only adds to
    // how far behind the server the log runs during a flood; beyond this the bytes wait in
    // the network and TCP flow control slows the sender.
    static constexpr qsizetype MaxBufferedBytes = 256 * 1024;

    enum class Taken {
        Nothing,    // no complete line is buffered
        Line,       // the next line
        DroppedLine // a line stood here that was longer than MaxLineLength; it is gone
    };

    // Adds the bytes of one arrival.
    void append(const QByteArray& bytes);

    // Takes what comes next, in the order the server sent it: a complete line (without its
    // line end, in *line) or the place of a line that was dropped for its length. `cut`
    // (when given) tells whether the line ended without a line end: cut by the server, or
    // left unfinished by the end of the stream.
    Taken takeNext(QByteArray* line, bool* cut = nullptr);

    // Takes the next complete line, passing over dropped ones. Returns false when no
    // complete line is buffered.
    bool takeLine(QByteArray* line, bool* cut = nullptr);

    // The stream has ended: the unfinished last line is complete as it stands.
    void finish();

    // Bytes held, complete lines and the unfinished last line together.
    qsizetype bufferedBytes() const { return m_buffer.size() - m_readPos; }

    // How many more bytes the receive path may append before it holds MaxBufferedBytes.
    qsizetype room() const { return qMax(qsizetype(0), MaxBufferedBytes - bufferedBytes()); }

    // Forgets everything, for a new connection.
    void clear();

private:
    void dropTaken(bool releaseStorage);

    QByteArray m_buffer;
    qsizetype m_readPos = 0;     // start of the next line in m_buffer
    qsizetype m_partialSize = 0; // bytes at the end of m_buffer not yet ended by a line end
    bool m_skipLf = false;       // the last byte received was a CR that ended a line
    bool m_discarding = false;   // dropping an overlong line until its line end
    QList<qsizetype> m_drops;    // where in m_buffer overlong lines were dropped, in order
};
