// Received bytes into lines, whatever the arrivals: line ends, cut lines, overlong lines
// dropped in their place, the unfinished last line and the memory bound.
#include "protocol/LineBuffer.h"

#include <QTest>

namespace {

const QByteArray Long(LineBuffer::MaxLineLength, 'x');
const QByteArray Overlong = Long + 'y';
const QByteArray Dropped = "<dropped>";

// Feeds the arrivals one by one and takes everything after each, as the socket handler does;
// with `end` the stream then ends. A dropped line shows as Dropped, a line that ended without
// a line end gets " <cut>". The memory bound is checked each time the buffer has been drained.
QByteArrayList feed(const QByteArrayList& arrivals, bool end = false)
{
    LineBuffer buffer;
    QByteArrayList items;
    QByteArray line;
    bool cut = false;
    const auto take = [&] {
        for (LineBuffer::Taken next;
             (next = buffer.takeNext(&line, &cut)) != LineBuffer::Taken::Nothing;)
            items << (next == LineBuffer::Taken::DroppedLine ? Dropped
                      : cut                                  ? line + " <cut>"
                                                             : line);
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
    return items;
}

QByteArrayList inPieces(const QByteArray& stream, qsizetype size)
{
    QByteArrayList pieces;
    for (qsizetype i = 0; i < stream.size(); i += size)
        pieces << stream.mid(i, size);
    return pieces;
}

} // namespace

class tst_LineBuffer : public QObject {
    Q_OBJECT
private slots:
    void sameLinesWhateverTheArrivals();
    void lines_data();
    void lines();
    void clearForgetsPendingState();
};

void tst_LineBuffer::sameLinesWhateverTheArrivals()
{
    // CR LF, lone CR, lone LF, CR CR LF, LF CR, empty lines, a NUL, a tail without line end.
    const char raw[] = "\r\n2010 NAME alice\r\n1007 CHANNEL \"Chat\"\r1001 USER a 0010 [CHAT]\n"
                       "\r\r\nx\0y\r\nb\n\rUsername: ";
    const QByteArray stream(raw, sizeof raw - 1);
    const QByteArrayList lines{"",
                               "2010 NAME alice",
                               "1007 CHANNEL \"Chat\"",
                               "1001 USER a 0010 [CHAT]",
                               "",
                               "",
                               QByteArray("x\0y", 3),
                               "b",
                               ""};
    for (qsizetype i = 0; i <= stream.size(); ++i) {
        for (qsizetype j = i; j <= stream.size(); ++j) {
            if (feed({stream.left(i), stream.mid(i, j - i), stream.mid(j)}) != lines)
                QFAIL(qPrintable(QStringLiteral("split at %1 and %2").arg(i).arg(j)));
        }
    }
    QCOMPARE(feed(inPieces(stream, 1)), lines);
}

// Lines cut at 255 bytes, lines that only look alike, overlong lines, the unfinished end.
void tst_LineBuffer::lines_data()
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

    // A dropped line is reported once, after the lines before it and before those after it.
    row("the longest line kept, one byte more dropped",
        "a\r" + Long + "\r\n" + Overlong + "\r\n\nok\n" + Overlong + "y\nend\r", false,
        {"a", Long, Dropped, "", "ok", Dropped, "end"});
    row("two in a row, first of the stream", Overlong + "\n" + Overlong + "zz\rb\n", false,
        {Dropped, Dropped, "b"});
    row("dropped before its line end", "a\n" + Overlong, false, {"a", Dropped});
    row("an endless line stops no later line", Long.repeated(4) + "\r\n1018 INFO \"x\"\r\n", false,
        {Dropped, "1018 INFO \"x\""});
}

void tst_LineBuffer::lines()
{
    QFETCH(QByteArray, stream);
    QFETCH(bool, end);
    QFETCH(QByteArrayList, lines);

    for (const qsizetype size : {qsizetype(1), qsizetype(7), qsizetype(256),
                                 LineBuffer::MaxLineLength - 1, LineBuffer::MaxLineLength + 2})
        QCOMPARE(feed(inPieces(stream, size), end), lines);
}

void tst_LineBuffer::clearForgetsPendingState()
{
    // After "a\r" a leading LF would be the second half of a CR LF, and after an overlong
    // line's start everything up to a line end would be dropped.
    for (const QByteArray& pending : {QByteArray("a\r"), Overlong}) {
        LineBuffer buffer;
        QByteArray line;
        buffer.append(pending);
        buffer.takeNext(&line);
        buffer.clear();
        buffer.append("\nb\n");
        QVERIFY(buffer.takeLine(&line));
        QCOMPARE(line, QByteArray());
    }
}

QTEST_APPLESS_MAIN(tst_LineBuffer)
#include "tst_linebuffer.moc"
