#include "protocol/LineBuffer.h"

#include <QElapsedTimer>
#include <QTest>

namespace {

// Feeds the chunks one by one and takes every complete line after each, as the socket
// handler does. Also checks the memory bound every time the buffer has been drained.
QByteArrayList feed(LineBuffer& buffer, const QByteArrayList& chunks)
{
    QByteArrayList lines;
    QByteArray line;
    for (const QByteArray& chunk : chunks) {
        buffer.append(chunk);
        while (buffer.takeLine(&line))
            lines << line;
        if (buffer.bufferedBytes() > LineBuffer::MaxLineLength)
            qFatal("buffer holds %lld bytes", qlonglong(buffer.bufferedBytes()));
    }
    return lines;
}

QByteArrayList inPieces(const QByteArray& stream, qsizetype pieceSize)
{
    QByteArrayList chunks;
    for (qsizetype i = 0; i < stream.size(); i += pieceSize)
        chunks << stream.mid(i, pieceSize);
    return chunks;
}

const QByteArray Long(LineBuffer::MaxLineLength, 'x');

// A literal with embedded NUL bytes.
template <size_t N> QByteArray bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

} // namespace

class tst_LineBuffer : public QObject {
    Q_OBJECT
private slots:
    void framing_data();
    void framing();
    void overlongLines_data();
    void overlongLines();
    void endlessLineDoesNotStopLaterLines();
    void clearForgetsPendingState();
    void millionLinesAreFast();
};

void tst_LineBuffer::framing_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<QByteArrayList>("lines");
    QTest::addColumn<qsizetype>("leftOver");

    QTest::newRow("CR LF") << QByteArray("1018 INFO \"a\"\r\n1005 TALK b 0010 \"c\"\r\n")
                           << QByteArrayList{"1018 INFO \"a\"", "1005 TALK b 0010 \"c\""}
                           << qsizetype(0);
    QTest::newRow("lone CR") << QByteArray("ab\rcd\r") << QByteArrayList{"ab", "cd"}
                             << qsizetype(0);
    QTest::newRow("lone LF") << QByteArray("ab\ncd\n") << QByteArrayList{"ab", "cd"}
                             << qsizetype(0);
    QTest::newRow("CR CR LF") << QByteArray("ab\r\r\ncd\r\n") << QByteArrayList{"ab", "", "cd"}
                              << qsizetype(0);
    QTest::newRow("LF CR is two ends")
        << QByteArray("ab\n\rcd\n") << QByteArrayList{"ab", "", "cd"} << qsizetype(0);
    QTest::newRow("empty lines") << QByteArray("\r\n\r\nab\r\n\n")
                                 << QByteArrayList{"", "", "ab", ""} << qsizetype(0);
    QTest::newRow("starts with LF")
        << QByteArray("\nab\r\n") << QByteArrayList{"", "ab"} << qsizetype(0);
    QTest::newRow("no line end at the end")
        << QByteArray("ab\r\nUsername: ") << QByteArrayList{"ab"} << qsizetype(10);
    QTest::newRow("nothing") << QByteArray() << QByteArrayList{} << qsizetype(0);
    QTest::newRow("mixed") << bytes("\r\n2010 NAME alice\r\n1007 CHANNEL \"Chat\"\r1001 "
                                    "USER alice 0010 [CHAT]\n\r\r\n\xc3\xa9\0x\r\nPass")
                           << QByteArrayList{"",
                                             "2010 NAME alice",
                                             "1007 CHANNEL \"Chat\"",
                                             "1001 USER alice 0010 [CHAT]",
                                             "",
                                             "",
                                             QByteArray("\xc3\xa9\0x", 4)}
                           << qsizetype(4);
}

// Whatever the arrivals look like, the same lines come out.
void tst_LineBuffer::framing()
{
    QFETCH(QByteArray, stream);
    QFETCH(QByteArrayList, lines);
    QFETCH(qsizetype, leftOver);

    LineBuffer whole;
    QCOMPARE(feed(whole, {stream}), lines);
    QCOMPARE(whole.bufferedBytes(), leftOver);

    LineBuffer bytewise;
    QCOMPARE(feed(bytewise, inPieces(stream, 1)), lines);

    for (qsizetype i = 0; i <= stream.size(); ++i) {
        for (qsizetype j = i; j <= stream.size(); ++j) {
            LineBuffer buffer;
            const QByteArrayList chunks{stream.left(i), stream.mid(i, j - i), stream.mid(j)};
            if (feed(buffer, chunks) != lines)
                QFAIL(qPrintable(QStringLiteral("split at %1 and %2").arg(i).arg(j)));
        }
    }
}

void tst_LineBuffer::overlongLines_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<QByteArrayList>("lines");

    QTest::newRow("longest line kept") << Long + "\r\nok\r\n" << QByteArrayList{Long, "ok"};
    QTest::newRow("one byte more, complete") << "a\r\n" + Long + "y\r\nok\r\n"
                                             << QByteArrayList{"a", "ok"};
    QTest::newRow("one byte more, no end yet") << Long + "y" << QByteArrayList{};
    QTest::newRow("LF of the dropped line's CR LF") << "a\r" + Long + "yy\r\nok\n"
                                                    << QByteArrayList{"a", "ok"};
    QTest::newRow("ended by lone LF") << Long + "y\n\nok\r" << QByteArrayList{"", "ok"};
}

void tst_LineBuffer::overlongLines()
{
    QFETCH(QByteArray, stream);
    QFETCH(QByteArrayList, lines);

    for (const qsizetype pieceSize : {qsizetype(1), qsizetype(3), qsizetype(4096),
                                      LineBuffer::MaxLineLength - 1, stream.size()}) {
        LineBuffer buffer;
        QCOMPARE(feed(buffer, inPieces(stream, pieceSize)), lines);
    }
}

// 100 MB without a line end, then a proper line: the line must come out and the buffer
// must never have held more than one line's worth.
void tst_LineBuffer::endlessLineDoesNotStopLaterLines()
{
    LineBuffer buffer;
    const QByteArray block(1024 * 1024, 'z');
    QByteArrayList chunks;
    for (int i = 0; i < 100; ++i)
        chunks << block;
    chunks << "\r"
           << "\n1005 TALK bob 0010 \"hi\"\r\n";
    QCOMPARE(feed(buffer, chunks), QByteArrayList{"1005 TALK bob 0010 \"hi\""});
    QCOMPARE(buffer.bufferedBytes(), qsizetype(0));
}

void tst_LineBuffer::clearForgetsPendingState()
{
    LineBuffer buffer;
    QCOMPARE(feed(buffer, {"a\r"}), QByteArrayList{"a"});
    buffer.clear();
    QCOMPARE(feed(buffer, {"\nb\n"}), (QByteArrayList{"", "b"}));

    QCOMPARE(feed(buffer, {"half", Long}), QByteArrayList{});
    buffer.clear();
    QCOMPARE(buffer.bufferedBytes(), qsizetype(0));
    QCOMPARE(feed(buffer, {"c\r\n"}), QByteArrayList{"c"});
}

void tst_LineBuffer::millionLinesAreFast()
{
    const QByteArray line = "1005 TALK bob 0010 \"hello there\"\r\n";
    const QByteArray stream = line.repeated(1000000);
    QElapsedTimer timer;
    timer.start();
    for (const qsizetype pieceSize : {qsizetype(4000), stream.size()}) {
        LineBuffer buffer;
        QByteArray taken;
        qsizetype count = 0;
        for (qsizetype i = 0; i < stream.size(); i += pieceSize) {
            buffer.append(stream.mid(i, pieceSize));
            while (buffer.takeLine(&taken))
                ++count;
        }
        QCOMPARE(count, qsizetype(1000000));
    }
    // Generous for slow builds; copying the buffer per line would take minutes.
    QVERIFY2(timer.elapsed() < 5000, qPrintable(QString::number(timer.elapsed())));
}

QTEST_APPLESS_MAIN(tst_LineBuffer)
#include "tst_linebuffer.moc"
