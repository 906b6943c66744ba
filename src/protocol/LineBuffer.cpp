#include "protocol/LineBuffer.h"

#include <QtAlgorithms>

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

#ifdef __SSE2__
// One bit for each of the sixteen bytes from p that is a CR or an LF.
quint32 lineEndBits(const char* p)
{
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i cr = _mm_cmpeq_epi8(block, _mm_set1_epi8('\r'));
    const __m128i lf = _mm_cmpeq_epi8(block, _mm_set1_epi8('\n'));
    return static_cast<quint32>(_mm_movemask_epi8(_mm_or_si128(cr, lf)));
}
#endif

// The first CR or LF in [p, end), or end. Cutting lines is the hot loop of the receive
// path, so sixteen bytes are tested at a time where SSE2 is there (every x86-64).
const char* findLineEnd(const char* p, const char* end)
{
#ifdef __SSE2__
    for (; end - p >= 16; p += 16) {
        if (const quint32 hits = lineEndBits(p))
            return p + qCountTrailingZeroBits(hits);
    }
#endif
    return std::find_if(p, end, isLineEnd);
}

// An event code and its blank: "1005 ".
bool startsEventLine(const char* p, const char* end)
{
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    return end - p >= 5 && digit(p[0]) && digit(p[1]) && digit(p[2]) && digit(p[3]) && p[4] == ' ';
}

// The last CR or LF in [p, end), or end. A flood without line ends is scanned whole on
// every arrival, so this too goes sixteen bytes at a time.
const char* findLastLineEnd(const char* p, const char* end)
{
    const char* q = end;
#ifdef __SSE2__
    for (; q - p >= 16; q -= 16) {
        if (const quint32 hits = lineEndBits(q - 16))
            return q - 16 + (31 - qCountLeadingZeroBits(hits));
    }
#endif
    while (q != p) {
        if (isLineEnd(*--q))
            return q;
    }
    return end;
}

// Above this the buffer's storage is given back once it runs empty, so one large arrival
// does not pin its memory for the rest of the connection.
constexpr qsizetype KeepCapacity = 1024 * 1024;

} // namespace

void LineBuffer::append(const QByteArray& bytes)
{
    const char* p = bytes.constData();
    const char* const end = p + bytes.size();
    if (p == end)
        return;

    // The LF of a CR LF pair split over two arrivals belongs to the line end already seen.
    if (m_skipLf && *p == '\n')
        ++p;
    m_skipLf = end[-1] == '\r';

    if (m_discarding) {
        p = findLineEnd(p, end);
        if (p == end)
            return;
        m_discarding = false;
        if (*p == '\r' && p + 1 != end && p[1] == '\n')
            ++p;
        ++p;
    }
    if (p == end)
        return;

    if (m_readPos > 0 && m_readPos * 2 >= m_buffer.size())
        dropTaken(false);

    const char* const lastEnd = findLastLineEnd(p, end);

    if (lastEnd == end) {
        // No line end in this arrival: the unfinished line only grows.
        const qsizetype size = end - p;
        if (m_partialSize + size > MaxLineLength) {
            m_buffer.truncate(m_buffer.size() - m_partialSize);
            m_partialSize = 0;
            m_discarding = true;
            m_drops.append(m_buffer.size());
            return;
        }
        m_buffer.append(p, size);
        m_partialSize += size;
        return;
    }

    const qsizetype tail = end - lastEnd - 1;
    if (tail > MaxLineLength) {
        m_buffer.append(p, lastEnd + 1 - p);
        m_partialSize = 0;
        m_discarding = true;
        m_drops.append(m_buffer.size());
    } else {
        m_buffer.append(p, end - p);
        m_partialSize = tail;
    }
}

LineBuffer::Taken LineBuffer::takeNext(QByteArray* line, bool* cut)
{
    if (!m_drops.isEmpty() && m_drops.constFirst() <= m_readPos) {
        m_drops.removeFirst();
        return Taken::DroppedLine;
    }

    const char* const data = m_buffer.constData();
    const char* const complete = data + m_buffer.size() - m_partialSize;
    const char* const begin = data + m_readPos;
    if (begin >= complete)
        return Taken::Nothing;

    // The complete part ends with a line end unless the stream has ended without one.
    const char* lineEnd = findLineEnd(begin, complete);
    bool ended = lineEnd != complete;
    const char* next = ended ? lineEnd + 1 : complete;
    if (ended && *lineEnd == '\r' && next < complete && *next == '\n')
        ++next;
    const qsizetype physical = lineEnd - begin;
    if (physical > ServerCut && physical <= MaxLineLength &&
        startsEventLine(begin + ServerCut, lineEnd)) {
        next = lineEnd = begin + ServerCut;
        ended = false;
    }
    const qsizetype length = lineEnd - begin;
    // An overlong line that arrived complete is dropped like one cut short.
    const Taken taken = length <= MaxLineLength ? Taken::Line : Taken::DroppedLine;
    if (taken == Taken::Line) {
        // Reuses the caller's storage when it is large enough.
        line->resize(length);
        if (length > 0)
            std::memcpy(line->data(), begin, static_cast<size_t>(length));
        if (cut)
            *cut = !ended;
    }
    m_readPos = next - data;
    if (m_readPos == m_buffer.size())
        dropTaken(m_buffer.capacity() > KeepCapacity);
    return taken;
}

bool LineBuffer::takeLine(QByteArray* line, bool* cut)
{
    Taken taken;
    do
        taken = takeNext(line, cut);
    while (taken == Taken::DroppedLine);
    return taken == Taken::Line;
}

// Removes the bytes already taken from the front of the buffer. With releaseStorage (only
// when nothing is left) a large buffer's storage is given back, so one large arrival does
// not pin its memory for the rest of the connection.
void LineBuffer::dropTaken(bool releaseStorage)
{
    if (releaseStorage)
        m_buffer = QByteArray();
    else
        m_buffer.remove(0, m_readPos);
    for (qsizetype& drop : m_drops)
        drop -= m_readPos;
    m_readPos = 0;
}

void LineBuffer::finish()
{
    m_partialSize = 0;
    m_discarding = false;
}

void LineBuffer::clear()
{
    m_buffer = QByteArray();
    m_readPos = 0;
    m_partialSize = 0;
    m_skipLf = false;
    m_discarding = false;
    m_drops.clear();
}
