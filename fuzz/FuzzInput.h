// What the fuzz targets share: reading an input as server bytes cut into arrivals, the lines
// those bytes must give, and failing loudly.
//
// Input: two header bytes, then the server's bytes.
//   byte 0   seed of the cuts between arrivals
//   byte 1   bits 0-3: arrivals are 1 to 2^bits bytes long
//            bits 4-5: left to the target
//            bits 6-7: 3 = the first line is repeated until it is longer than the limit
//                      (a target that leaves bits 4-5 unused asks for them to be set too, so
//                      that not a quarter of its time goes into copying 64 KiB lines)
//                      2 = the first line is repeated to exactly LineBuffer::ServerCut bytes
//                      and loses its line end, as a line the server cut: the next line
//                      follows right behind it
#pragma once

#include "protocol/LineBuffer.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// The checks' own helpers are left out of the coverage instrumentation: they are not
// under test, and their byte loops would only slow every input down.
#define NOT_UNDER_TEST __attribute__((no_sanitize("coverage")))

[[noreturn]] inline void Fail(const char* what)
{
    std::fprintf(stderr, "receive path property violated: %s\n", what);
    std::abort();
}

inline void Check(bool condition, const char* what)
{
    if (!condition)
        Fail(what);
}

class Random {
public:
    explicit Random(std::uint64_t seed)
        : m_state(seed)
    {}
    std::uint64_t next()
    {
        m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
        return m_state >> 33;
    }

private:
    std::uint64_t m_state;
};

struct FuzzInput {
    std::uint8_t mode = 0;
    QByteArray stream;          // the server's bytes and a final line end
    QList<QByteArray> arrivals; // the same bytes cut
    Random random{0};
};

// Cuts a byte stream into the lines the receive path must give, the plain way: at CR LF,
// lone CR and lone LF; lines longer than the limit left out (or marked as dropped); an
// unfinished last line left out; a line with an event code ("1005 ") at offset 255 ended
// there, as the server's cut. The lines are views into the stream.
class ReferenceCutter {
public:
    explicit ReferenceCutter(const QByteArray& stream)
        : m_p(stream.constData())
        , m_end(stream.constData() + stream.size())
        , m_cr(find(m_p, '\r'))
        , m_lf(find(m_p, '\n'))
    {}

    // The next line, and whether it ended at a cut; false when the stream holds no further
    // complete line. With `dropped`, a line longer than the limit is given too, marked as
    // dropped, instead of left out.
    NOT_UNDER_TEST bool next(QByteArrayView* line, bool* cut = nullptr, bool* dropped = nullptr)
    {
        for (;;) {
            const char* const start = m_p;
            // memchr, and each result kept until the lines pass it: a byte loop here, or a
            // search to the end of the stream for every line, would cost more than the code
            // under test.
            if (m_cr < start)
                m_cr = find(start, '\r');
            if (m_lf < start)
                m_lf = find(start, '\n');
            const char* const p = std::min(m_cr, m_lf);
            if (p == m_end)
                return false;
            const bool kept = p - start <= LineBuffer::MaxLineLength;
            const bool atCut = kept && cutBefore(start, p);
            if (atCut) {
                m_p = start + LineBuffer::ServerCut;
            } else {
                m_p = p + 1;
                if (*p == '\r' && m_p != m_end && *m_p == '\n')
                    ++m_p;
            }
            if (kept || dropped) {
                *line = QByteArrayView(start, atCut ? LineBuffer::ServerCut : p - start);
                if (cut)
                    *cut = atCut;
                if (dropped)
                    *dropped = !kept;
                return true;
            }
        }
    }

private:
    NOT_UNDER_TEST const char* find(const char* from, char c) const
    {
        const void* found = std::memchr(from, c, size_t(m_end - from));
        return found ? static_cast<const char*>(found) : m_end;
    }

    NOT_UNDER_TEST static bool cutBefore(const char* start, const char* lineEnd)
    {
        if (lineEnd - start < LineBuffer::ServerCut + 5)
            return false;
        const char* code = start + LineBuffer::ServerCut;
        return std::all_of(code, code + 4, [](char c) { return c >= '0' && c <= '9'; }) &&
               code[4] == ' ';
    }

    const char* m_p;
    const char* m_end;
    const char* m_cr; // the first CR from where the last search for one started (or m_end)
    const char* m_lf; // the same for LF
};

struct ReferenceLine {
    QByteArray bytes;
    bool cut = false;     // ended at the server's cut, without a line end
    bool dropped = false; // longer than the limit: only its place is left
};

NOT_UNDER_TEST inline QList<ReferenceLine> ReferenceLines(const QByteArray& stream)
{
    QList<ReferenceLine> lines;
    ReferenceCutter cutter(stream);
    bool cut = false;
    bool dropped = false;
    for (QByteArrayView line; cutter.next(&line, &cut, &dropped);)
        lines.append({dropped ? QByteArray() : line.toByteArray(), cut, dropped});
    return lines;
}

// Appends `copies` copies of `piece`, doubling what is there with each copy.
NOT_UNDER_TEST inline void FillRepeated(QByteArray* to, QByteArrayView piece, qsizetype copies)
{
    const qsizetype total = piece.size() * copies;
    to->resize(total);
    char* const out = to->data();
    std::memcpy(out, piece.data(), size_t(piece.size()));
    for (qsizetype filled = piece.size(); filled < total;) {
        const qsizetype n = qMin(filled, total - filled);
        std::memcpy(out + filled, out, size_t(n));
        filled += n;
    }
}

// The position of the first CR or LF in the `count` bytes from `bytes`, or `count`.
NOT_UNDER_TEST inline qsizetype FirstLineEnd(const char* bytes, qsizetype count)
{
    qsizetype end = count;
    for (const char c : {'\r', '\n'}) {
        if (const void* found = std::memchr(bytes, c, size_t(end)))
            end = static_cast<const char*>(found) - bytes;
    }
    return end;
}

// Sets `stream` to the server's bytes of an input and the final line end, and `overlong` to
// the length of the overlong line it starts with (0 for none); false for inputs too short to
// carry the header. The stream's storage is reused when it is large enough.
NOT_UNDER_TEST inline bool ReadStream(const std::uint8_t* data, std::size_t size,
                                      std::uint8_t overlongBits, QByteArray* stream,
                                      qsizetype* overlong = nullptr)
{
    if (size < 2)
        return false;
    qsizetype overlongLength = 0;
    const auto* bytes = reinterpret_cast<const char*>(data + 2);
    const qsizetype count = qsizetype(size - 2);
    if ((data[1] & overlongBits) == overlongBits) {
        // One overlong line among ordinary ones, without making every input large.
        const qsizetype end = FirstLineEnd(bytes, count);
        const QByteArrayView head = end > 0 ? QByteArrayView(bytes, end) : QByteArrayView("x");
        const qsizetype copies = (LineBuffer::MaxLineLength + head.size()) / head.size();
        stream->reserve(copies * head.size() + count - end + 1);
        FillRepeated(stream, head, copies);
        overlongLength = stream->size();
        stream->append(bytes + end, count - end);
    } else if ((data[1] & 0xC0) == 0x80) {
        const qsizetype end = FirstLineEnd(bytes, count);
        const QByteArrayView head = end > 0 ? QByteArrayView(bytes, end) : QByteArrayView("x");
        const qsizetype rest = end < count ? end + 1 : end; // after the line end
        stream->reserve(LineBuffer::ServerCut + head.size() + count - rest + 1);
        FillRepeated(stream, head, (LineBuffer::ServerCut + head.size() - 1) / head.size());
        stream->truncate(LineBuffer::ServerCut);
        stream->append(bytes + rest, count - rest);
    } else {
        stream->reserve(count + 1);
        stream->resize(count);
        std::memcpy(stream->data(), bytes, size_t(count));
    }
    stream->append('\n');
    if (overlong)
        *overlong = overlongLength;
    return true;
}

// The lengths of the arrivals the first `sent` bytes of an input's stream are cut into.
class ArrivalCutter {
public:
    ArrivalCutter(const std::uint8_t* data, std::size_t size, qsizetype sent)
        // Some hundreds of arrivals at most: small cuts matter, a million of them add nothing.
        : m_largest(std::uint32_t(qMax(qsizetype(1) << (data[1] & 15), sent / 256)))
        , m_random(data[0] * 0x9E3779B97F4A7C15ull + size)
    {}

    // The length of the next arrival when `left` bytes are still to come.
    NOT_UNDER_TEST qsizetype next(qsizetype left)
    {
        // Both fit in 32 bits, whose division is the quicker one.
        return qMin(left, 1 + qsizetype(std::uint32_t(m_random.next()) % m_largest));
    }

    // Random numbers that go on where the cuts end.
    const Random& random() const { return m_random; }

private:
    std::uint32_t m_largest;
    Random m_random;
};

// False for inputs too short to carry the header. The arrivals refer to the stream's bytes.
inline bool ReadFuzzInput(const std::uint8_t* data, std::size_t size, FuzzInput* input,
                          std::uint8_t overlongBits = 0xC0)
{
    if (!ReadStream(data, size, overlongBits, &input->stream))
        return false;
    input->mode = data[1];
    const QByteArray& stream = input->stream;
    const qsizetype sent = stream.size() - 1;
    ArrivalCutter cutter(data, size, sent);
    input->arrivals.clear();
    input->arrivals.reserve(qMin(sent, qsizetype(512)) + 1);
    for (qsizetype at = 0; at < sent;) {
        const qsizetype length = cutter.next(sent - at);
        input->arrivals.append(QByteArray::fromRawData(stream.constData() + at, length));
        at += length;
    }
    // The final line end finishes whatever line the bytes left open.
    input->arrivals.append(QByteArray::fromRawData(stream.constData() + sent, 1));
    input->random = cutter.random();
    return true;
}
