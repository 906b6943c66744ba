#include "protocol/LineBuffer.h"

#include <QTest>

namespace {

// Feeds the arrivals one by one and takes every complete line after each, as the socket
// handler does; checks the memory bound each time the buffer has been drained.
QByteArrayList feed(const QByteArrayList& arrivals)
{
    LineBuffer buffer;
    QByteArrayList lines;
    QByteArray line;
    for (const QByteArray& bytes : arrivals) {
        buffer.append(bytes);
        while (buffer.takeLine(&line))
            lines << line;
        if (buffer.bufferedBytes() > LineBuffer::MaxLineLength)
            qFatal("buffer holds %lld bytes", qlonglong(buffer.bufferedBytes()));
    }
    return lines;
}

QByteArrayList inPieces(const QByteArray& stream, qsizetype size)
{
    QByteArrayList pieces;
    for (qsizetype i = 0; i < stream.size(); i += size)
        pieces << stream.mid(i, size);
    return pieces;
}

const QByteArray Long(LineBuffer::MaxLineLength, 'x');

template <size_t N> QByteArray bytes(const char (&text)[N]) // keeps embedded NUL bytes
{
    return QByteArray(text, N - 1);
}

} // namespace

class tst_LineBuffer : public QObject {
    Q_OBJECT
private slots:
    void sameLinesWhateverTheArrivals();
    void overlongLinesAreDropped();
    void endlessLineDoesNotStopLaterLines();
    void clearForgetsPendingState();
};

void tst_LineBuffer::sameLinesWhateverTheArrivals()
{
    // CR LF, lone CR, lone LF, CR CR LF, LF CR, empty lines, a NUL, a tail without line end.
    const QByteArray stream = bytes("\r\n2010 NAME alice\r\n1007 CHANNEL \"Chat\"\r1001 USER a "
                                    "0010 [CHAT]\n\r\r\nx\0y\r\nb\n\rUsername: ");
    const QByteArrayList lines{"",
                               "2010 NAME alice",
                               "1007 CHANNEL \"Chat\"",
                               "1001 USER a 0010 [CHAT]",
                               "",
                               "",
                               QByteArray("x\0y", 3),
                               "b",
                               ""};
    QCOMPARE(feed({stream}), lines);
    QCOMPARE(feed(inPieces(stream, 1)), lines);
    for (qsizetype i = 0; i <= stream.size(); ++i) {
        for (qsizetype j = i; j <= stream.size(); ++j) {
            if (feed({stream.left(i), stream.mid(i, j - i), stream.mid(j)}) != lines)
                QFAIL(qPrintable(QStringLiteral("split at %1 and %2").arg(i).arg(j)));
        }
    }
}

void tst_LineBuffer::overlongLinesAreDropped()
{
    // The longest allowed line, then lines one byte too long ended by CR LF and by LF.
    const QByteArray stream = "a\r" + Long + "\r\n" + Long + "y\r\nok\n" + Long + "yy\n\nend\r";
    const QByteArrayList lines{"a", Long, "ok", "", "end"};
    for (const qsizetype size : {qsizetype(1), qsizetype(3), LineBuffer::MaxLineLength - 1,
                                 LineBuffer::MaxLineLength + 3, stream.size()})
        QCOMPARE(feed(inPieces(stream, size)), lines);
}

// 100 MB without a line end must neither fill memory nor swallow the next proper line.
void tst_LineBuffer::endlessLineDoesNotStopLaterLines()
{
    QByteArrayList arrivals;
    for (int i = 0; i < 100; ++i)
        arrivals << QByteArray(1024 * 1024, 'z');
    arrivals << "\r"
             << "\n1005 TALK bob 0010 \"hi\"\r\n";
    QCOMPARE(feed(arrivals), QByteArrayList{"1005 TALK bob 0010 \"hi\""});
}

void tst_LineBuffer::clearForgetsPendingState()
{
    LineBuffer buffer;
    QByteArray line;
    buffer.append("a\r");
    QVERIFY(buffer.takeLine(&line));
    buffer.clear();
    buffer.append("\nb"); // no longer the second half of a CR LF
    QVERIFY(buffer.takeLine(&line));
    QCOMPARE(line, QByteArray());

    buffer.append(Long + "y"); // now dropping an overlong line
    buffer.clear();
    buffer.append("c\n");
    QVERIFY(buffer.takeLine(&line));
    QCOMPARE(line, QByteArray("c"));
}

QTEST_APPLESS_MAIN(tst_LineBuffer)
#include "tst_linebuffer.moc"
