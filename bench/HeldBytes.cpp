#include "HeldBytes.h"

#include "protocol/LineBuffer.h"

#include <QByteArray>
#include <QElapsedTimer>

#include <cstdio>
#include <limits>

namespace {

// The least of three runs counts, as other work on the machine only adds time.
qint64 fastest(qsizetype length, qsizetype held)
{
    const QByteArray stream =
        (QByteArray(length - 1, 'a') + '\n').repeated(16 * 1024 * 1024 / length);
    qint64 best = std::numeric_limits<qint64>::max();
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        LineBuffer buffer;
        QByteArray line;
        for (qsizetype at = 0; at + 16 <= stream.size(); at += 16) {
            buffer.append(QByteArray::fromRawData(stream.constData() + at, 16));
            while (buffer.bufferedBytes() > held && buffer.takeLine(&line)) {
            }
        }
        best = qMin(best, timer.nsecsElapsed());
    }
    return best;
}

} // namespace

void runHeldBytes()
{
    std::printf("Line cutting with bytes held (16 MB in arrivals of 16 bytes, against 64-byte "
                "lines taken at once)\n");
    const qint64 little = fastest(64, 0);
    const struct {
        const char* label;
        qsizetype length;
        qsizetype held;
    } cases[] = {{"complete lines held", 64, LineBuffer::MaxBufferedBytes},
                 {"a long unfinished line", LineBuffer::MaxLineLength, 0}};
    for (const auto& c : cases) {
        const qint64 much = fastest(c.length, c.held);
        std::printf("  %-46s %6.2f   (target < 4; %.1f ms against %.1f ms)\n", c.label,
                    double(much) / double(little), double(much) / 1e6, double(little) / 1e6);
    }
    std::printf("\n");
}
