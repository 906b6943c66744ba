#include "testserver/GatewayLineReader.h"
#include "testserver/GatewayLines.h"

#include <QTest>

class tst_GatewayLines : public QObject {
    Q_OBJECT
private slots:
    void clientFraming_data();
    void clientFraming();
    void outgoingCut_data();
    void outgoingCut();
};

void tst_GatewayLines::clientFraming_data()
{
    QTest::addColumn<QByteArrayList>("chunks");
    QTest::addColumn<QByteArrayList>("lines");

    const QByteArray max(255, 'm');
    const QByteArray tooLong(256, 'x');
    // The login sequence, CR-only, LF-only and the bytes 3 and 4 are covered through TCP in
    // tst_testserver; here what a socket test cannot steer: how the bytes are chunked.
    QTest::newRow("line split over chunks")
        << QByteArrayList{"al", "ice\r", "\nsec", "ret\r\n"} << QByteArrayList{"alice", "secret"};
    QTest::newRow("unfinished line is held")
        << QByteArrayList{"one\r\ntwo"} << QByteArrayList{"one"};
    QTest::newRow("blanks are text") << QByteArrayList{" \r\n"} << QByteArrayList{" "};
    QTest::newRow("255 bytes kept") << QByteArrayList{max + "\r\n"} << QByteArrayList{max};
    QTest::newRow("256 bytes dropped, next line kept")
        << QByteArrayList{tooLong + "\r\nnext\r\n"} << QByteArrayList{"next"};
    QTest::newRow("256 bytes over chunks dropped")
        << QByteArrayList{tooLong.left(200), tooLong.mid(200), "\nnext\n"}
        << QByteArrayList{"next"};
    // The bytes 3 and 4 do not count towards the length.
    QTest::newRow("255 bytes plus 3 and 4 kept")
        << QByteArrayList{"\x03" + max + "\x04\r\n"} << QByteArrayList{max};
}

void tst_GatewayLines::clientFraming()
{
    QFETCH(QByteArrayList, chunks);
    QFETCH(QByteArrayList, lines);

    GatewayLineReader reader;
    QByteArrayList got;
    for (const QByteArray& chunk : chunks) {
        got << reader.feed(chunk);
        QVERIFY(reader.pendingBytes() <= GatewayLineReader::MaxLineLength);
    }
    QCOMPARE(got, lines);
}

void tst_GatewayLines::outgoingCut_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("line");

    const QByteArray prefix = "1005 TALK alice 0010 \"";
    const qsizetype fits = 255 - prefix.size() - 3; // closing quote and CR LF
    const QByteArray full(fits, 'f');
    QTest::newRow("short") << QByteArray("hi") << prefix + "hi\"\r\n";
    QTest::newRow("exactly 255") << full << prefix + full + "\"\r\n";
    QTest::newRow("one more loses the line feed") << full + 'g' << prefix + full + "g\"\r";
    QTest::newRow("long loses quote and line end")
        << QByteArray(300, 'z') << prefix + QByteArray(255 - prefix.size(), 'z');
}

void tst_GatewayLines::outgoingCut()
{
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, line);

    const QByteArray built = gateway::userTextLine("1005 TALK", "alice", gateway::FlagNoUdp, text);
    QCOMPARE(built, line);
    QVERIFY(built.size() <= gateway::MaxOutgoingLine);
}

QTEST_GUILESS_MAIN(tst_GatewayLines)
#include "tst_gatewaylines.moc"
