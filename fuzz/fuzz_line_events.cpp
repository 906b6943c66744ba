// libFuzzer target over the receive path without the window, fast enough for millions of
// inputs: arbitrary server bytes, cut into arbitrary arrivals, go through the line buffer,
// the decoding and the event parser. Besides the sanitizers' findings it checks:
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

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input;
    if (!ReadFuzzInput(data, size, &input, 0xF0))
        return 0;
    ReferenceCutter reference(input.stream);

    LineBuffer buffer;
    QByteArray raw;
    QByteArrayView expected;
    bool cut = false;
    bool expectedCut = false;
    for (const QByteArray& arrival : std::as_const(input.arrivals)) {
        buffer.append(arrival);
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
