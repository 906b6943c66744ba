#include "protocol/LineBuffer.h"

#include <QTest>

namespace {

// Feeds the arrivals one by one and takes every complete line after each, as the socket
// handler does; checks the memory bound each time the buffer has been drained. With `end`
// the stream ends after the last arrival. A line that ended without a line end is marked
// with " <cut>".
QByteArrayList feed(const QByteArrayList& arrivals, bool end = false)
{
    LineBuffer buffer;
    QByteArrayList lines;
    QByteArray line;
    bool cut = false;
    const auto take = [&] {
        while (buffer.takeLine(&line, &cut))
            lines << (cut ? line + " <cut>" : line);
        if (buffer.bufferedBytes() > LineBuffer::MaxLineLength)
            qFatal("buffer holds %lld bytes", qlonglong(buffer.bufferedBytes()));
    };
    for (const QByteArray& bytes : arrivals) {
        buffer.append(bytes);
        take();
    }
    if (end) {
        buffer.finish();
        take();
        if (buffer.bufferedBytes() != 0)
            qFatal("%lld bytes left at the end", qlonglong(buffer.bufferedBytes()));
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
    void cutAndUnfinishedLines_data();
    void cutAndUnfinishedLines();
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

// What the server sends when it cuts a line at 255 bytes, lines that only look alike, and
// the unfinished line at the end of the stream.
void tst_LineBuffer::cutAndUnfinishedLines_data()
{
    QTest::addColumn<QByteArray>("stream");
    QTest::addColumn<bool>("end");
    QTest::addColumn<QByteArrayList>("lines");

    const QByteArray talk = "1005 TALK bob 0010 \""; // 20 bytes
    const QByteArray after = "1005 TALK bob 0010 \"after\"";
    const auto text = [](qsizetype n) { return QByteArray(n, 'x'); };
    const QByteArray cut = talk + text(235); // 255 bytes
    const QByteArray marked = cut + " <cut>";
    auto row = [](const char* name, const QByteArray& stream, bool end,
                  const QByteArrayList& lines) { QTest::newRow(name) << stream << end << lines; };
    row("cut at 255", cut + after + "\r\n", false, {marked, after});
    row("cut twice", cut + cut + "1018 INFO \"x\"\r\n", false, {marked, marked, "1018 INFO \"x\""});
    row("cut line that kept its quote", talk + text(234) + "\"" + after + "\r\n", false,
        {talk + text(234) + "\" <cut>", after});
    row("cut line that kept its CR", talk + text(233) + "\"\r" + after + "\r\n", false,
        {talk + text(233) + "\"", after});
    row("255 bytes and a line end: not cut", cut + "\r\n" + after + "\r\n", false, {cut, after});
    row("event code at 254: no cut", talk + text(234) + after + "\r\n", false,
        {talk + text(234) + after});
    row("event code at 256: no cut", talk + text(236) + after + "\r\n", false,
        {talk + text(236) + after});
    row("digits without their blank", cut + "10050\r\n", false, {cut + "10050"});
    row("three digits and a blank", cut + "100 x\r\n", false, {cut + "100 x"});
    row("code and blank at the very end", cut + "1005 \r\n", false, {marked, "1005 "});
    row("unfinished at the end", "1018 INFO \"a\"\r\n1005 TALK bob 0010 \"hal", true,
        {"1018 INFO \"a\"", "1005 TALK bob 0010 \"hal <cut>"});
    row("unfinished behind a cut", cut + "1005 TA", true, {marked, "1005 TA <cut>"});
    row("a cut line waits for the line behind it", cut + "1005 TA", false, {});
    row("nothing unfinished at the end", "a\r\n", true, {"a"});
    row("CR at the end", "a\r", true, {"a"});
}

void tst_LineBuffer::cutAndUnfinishedLines()
{
    QFETCH(QByteArray, stream);
    QFETCH(bool, end);
    QFETCH(QByteArrayList, lines);

    for (const qsizetype size : {qsizetype(1), qsizetype(7), qsizetype(256), stream.size()})
        QCOMPARE(feed(inPieces(stream, size), end), lines);
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
