// The line buffer's limits: where overlong lines were dropped is reported in the order the
// server sent them, and the cost of appending and taking grows with the bytes handled, not
// with the bytes held.
#include "protocol/LineBuffer.h"

#include <QElapsedTimer>
#include <QTest>

#include <algorithm>
#include <functional>
#include <limits>

namespace {

const QByteArray Dropped = "<dropped>";
const QByteArray Overlong(LineBuffer::MaxLineLength + 1, 'x');

// What the buffer gives out for the stream cut into arrivals of `size` bytes, taking
// everything after each arrival as the receive path does.
QByteArrayList taken(const QByteArray& stream, qsizetype size)
{
    LineBuffer buffer;
    QByteArrayList items;
    QByteArray line;
    for (qsizetype at = 0; at < stream.size(); at += size) {
        buffer.append(stream.mid(at, size));
        for (;;) {
            const LineBuffer::Taken next = buffer.takeNext(&line);
            if (next == LineBuffer::Taken::Nothing)
                break;
            items << (next == LineBuffer::Taken::Line ? line : Dropped);
        }
    }
    return items;
}

// The least of three runs, in nanoseconds: the other work on the machine only adds time.
qint64 fastestOfThree(const std::function<void()>& run)
{
    qint64 best = std::numeric_limits<qint64>::max();
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        best = std::min(best, timer.nsecsElapsed());
    }
    return best;
}

} // namespace

class tst_LineBufferLimits : public QObject {
    Q_OBJECT
private slots:
    void droppedLinesKeepTheirPlace_data();
    void droppedLinesKeepTheirPlace();
    void costFollowsBytesHandledNotBytesHeld_data();
    void costFollowsBytesHandledNotBytesHeld();
};

void tst_LineBufferLimits::droppedLinesKeepTheirPlace_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<QByteArrayList>("items");

    const QByteArray longest(LineBuffer::MaxLineLength, 'y');
    QTest::newRow("between two lines") << "a\r\n" + Overlong + "\r\nb\r\n"
                                       << QByteArrayList{"a", Dropped, "b"};
    QTest::newRow("two in a row, once each") << "a\n" + Overlong + "\n" + Overlong + "zz\rb\n"
                                             << QByteArrayList{"a", Dropped, Dropped, "b"};
    QTest::newRow("first of the stream") << Overlong + "\nb\n" << QByteArrayList{Dropped, "b"};
    QTest::newRow("unfinished at the end") << "a\n" + Overlong << QByteArrayList{"a", Dropped};
    QTest::newRow("the longest line kept") << "a\n" + longest + "\r\n"
                                           << QByteArrayList{"a", longest};
    QTest::newRow("CR LF after it, then an empty line") << "a\r" + Overlong + "\r\n\nb\n"
                                                        << QByteArrayList{"a", Dropped, "", "b"};
}

// Whatever the arrivals, the notice for a dropped line comes after the lines before it and
// before the lines after it, once per dropped line.
void tst_LineBufferLimits::droppedLinesKeepTheirPlace()
{
    QFETCH(QByteArray, stream);
    QFETCH(QByteArrayList, items);
    for (const qsizetype size : {qsizetype(1), qsizetype(7), LineBuffer::MaxLineLength,
                                 LineBuffer::MaxLineLength + 2, stream.size()})
        QCOMPARE(taken(stream, size), items);
}

void tst_LineBufferLimits::costFollowsBytesHandledNotBytesHeld_data()
{
    // Two runs over the same bytes: line length and bytes left held after each arrival.
    QTest::addColumn<qsizetype>("littleLength");
    QTest::addColumn<qsizetype>("littleHeld");
    QTest::addColumn<qsizetype>("muchLength");
    QTest::addColumn<qsizetype>("muchHeld");

    // Complete lines waiting to be taken: the receive path holds up to MaxBufferedBytes.
    QTest::newRow("complete lines held")
        << qsizetype(60) << qsizetype(4 * 1024) << qsizetype(60) << LineBuffer::MaxBufferedBytes;
    // An unfinished line growing by small arrivals, up to the longest allowed.
    QTest::newRow("a long unfinished line")
        << qsizetype(64) << qsizetype(0) << LineBuffer::MaxLineLength << qsizetype(0);
}

// 16 MB in arrivals of 16 bytes, once with little held between arrivals and once with much:
// copying what is held on every arrival would make the second run hundreds of times slower.
void tst_LineBufferLimits::costFollowsBytesHandledNotBytesHeld()
{
    QFETCH(qsizetype, littleLength);
    QFETCH(qsizetype, littleHeld);
    QFETCH(qsizetype, muchLength);
    QFETCH(qsizetype, muchHeld);
    constexpr qsizetype total = 16 * 1024 * 1024;
    constexpr qsizetype arrival = 16;

    auto run = [&](qsizetype length, qsizetype held) {
        QByteArray stream = QByteArray(length - 1, 'a') + '\n';
        stream = stream.repeated(total / stream.size());
        return fastestOfThree([&] {
            LineBuffer buffer;
            QByteArray line;
            for (qsizetype at = 0; at + arrival <= stream.size(); at += arrival) {
                buffer.append(QByteArray::fromRawData(stream.constData() + at, arrival));
                while (buffer.bufferedBytes() > held && buffer.takeLine(&line)) {
                }
            }
        });
    };
    const qint64 little = run(littleLength, littleHeld);
    const qint64 much = run(muchLength, muchHeld);
    QVERIFY2(much < 4 * little,
             qPrintable(QStringLiteral("%1 ns against %2 ns").arg(much).arg(little)));
}

QTEST_APPLESS_MAIN(tst_LineBufferLimits)
#include "tst_linebufferlimits.moc"
