// libFuzzer target over the receive path without the window, fast enough for millions of
// inputs: arbitrary server bytes, cut into arbitrary arrivals, go through the line buffer,
// the decoding and the event parser. Besides UndefinedBehaviorSanitizer's findings (why not
// AddressSanitizer's: see CMakeLists.txt) it checks:
//   - every complete line comes out exactly once and in order, whatever the cuts: the lines
//     are those a plain reference cutter finds;
//   - once its complete lines are taken, the buffer holds at most LineBuffer::MaxLineLength
//     bytes;
//   - every field of an event is a part of its line.
// Input format: see FuzzInput.h; bits 4-5 of the mode byte only join in asking for an
// overlong line.
#include "FuzzInput.h"

#include "protocol/ChatEvent.h"
#include "protocol/ReceivedText.h"

#include <cstring>
#include <malloc.h>

namespace {

NOT_UNDER_TEST void CheckFieldsInLine(const QString& line, const ChatEvent& event)
{
    const QChar* const begin = line.constData();
    const QChar* const end = begin + line.size();
    for (const QStringView field : {event.user, event.flags, event.text, event.channel}) {
        Check(field.isNull() || (field.data() >= begin && field.data() + field.size() <= end),
              "an event field that is not part of its line");
    }
}

NOT_UNDER_TEST bool SameBytes(QByteArrayView a, const QByteArray& b)
{
    return a.size() == b.size() && std::memcmp(a.data(), b.constData(), size_t(b.size())) == 0;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Inputs with a 64 KiB line would otherwise have the C library map and unmap memory, or
    // give the top of the heap back, on every one of them.
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    return 0;
}

// The loop itself is left out of the coverage counters like the checks' helpers: only what it
// calls is under test.
extern "C" NOT_UNDER_TEST int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Kept from input to input, so that its storage is allocated once and not per input.
    static QByteArray stream;
    qsizetype overlong = 0;
    if (!ReadStream(data, size, 0xF0, &stream, &overlong))
        return 0;
    const qsizetype sent = stream.size() - 1;
    ArrivalCutter cutter(data, size, sent);
    ReferenceCutter reference(stream);

    LineBuffer buffer;
    static QByteArray raw; // takeLine reuses its storage
    QByteArrayView expected;
    bool cut = false;
    bool expectedCut = false;
    for (qsizetype at = 0; at < stream.size();) {
        qsizetype length = 1; // the final line end, which finishes whatever line is left open
        if (at == 0 && overlong > 0) {
            // An overlong line comes in one arrival up to a point shortly before its end; from
            // there on the cuts are as fine as elsewhere, so they fall around the length limit
            // and the line end. How the 64 KiB before are cut changes only the time they take.
            length = overlong - cutter.next(overlong - 1);
        } else if (at < sent) {
            length = cutter.next(sent - at);
        }
        buffer.append(QByteArray::fromRawData(stream.constData() + at, length));
        at += length;
        while (buffer.takeLine(&raw, &cut)) {
            Check(reference.next(&expected, &expectedCut) && SameBytes(expected, raw) &&
                      cut == expectedCut,
                  "a line cut differently from the reference, or out of order");
            const QString line = lineForHandler(raw);
            CheckFieldsInLine(line, parseChatEvent(line, cut));
        }
        Check(buffer.bufferedBytes() <= LineBuffer::MaxLineLength,
              "line buffer holds more than the line length limit");
    }
    Check(!reference.next(&expected), "a complete line did not come out");
    Check(buffer.bufferedBytes() == 0, "bytes left after the final line end");
    return 0;
}
