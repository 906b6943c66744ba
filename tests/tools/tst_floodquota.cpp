// The test server's flood quota on its own: which lines of a sequence are refused, by the
// second each one arrives and its length.
#include "testserver/FloodQuota.h"

#include <QTest>

class tst_FloodQuota : public QObject {
    Q_OBJECT
private slots:
    void verdicts_data();
    void verdicts();
};

void tst_FloodQuota::verdicts_data()
{
    // "second:bytes" per line; one letter per line: Pass, Quota exceeded, Line too long,
    // Disconnect.
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("verdicts");

    auto times = [](int n, const QString& line) { return QStringList(n, line); };
    QTest::newRow("four short lines at once") << times(4, "0:1") << "PPPP";
    QTest::newRow("the fifth is refused") << times(5, "0:1") << "PPPPQ";
    QTest::newRow("refused lines count up to the disconnect") << times(11, "0:1") << "PPPPQQQQQDD";
    QTest::newRow("forgotten when the clock reads five seconds later")
        << times(4, "0:1") + QStringList{"5:1"} << "PPPPP";
    QTest::newRow("still counted four seconds later")
        << times(4, "0:1") + QStringList{"4:1"} << "PPPPQ";
    QTest::newRow("a refused line counts until its own second is over")
        << times(4, "0:1") + QStringList{"3:1"} + times(4, "5:1") << "PPPPQPPPQ";
    QTest::newRow("40 bytes are one unit") << times(4, "0:40") << "PPPP";
    QTest::newRow("41 bytes are two units") << QStringList{"0:41", "0:80", "0:1"} << "PPQ";
    QTest::newRow("160 bytes leave room for nothing") << QStringList{"0:160", "0:1"} << "PQ";
    QTest::newRow("200 bytes refused even alone") << QStringList{"0:200"} << "Q";
    QTest::newRow("201 bytes too long and not counted")
        << QStringList{"0:201"} + times(4, "0:1") << "LPPPP";
}

void tst_FloodQuota::verdicts()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, verdicts);

    FloodQuota quota;
    QString got;
    for (const QString& line : lines) {
        const qint64 second = line.section(':', 0, 0).toLongLong();
        const QByteArray bytes(line.section(':', 1).toInt(), 'x');
        switch (quota.check(bytes, second)) {
        case FloodQuota::Verdict::Pass:
            got += 'P';
            break;
        case FloodQuota::Verdict::QuotaExceeded:
            got += 'Q';
            break;
        case FloodQuota::Verdict::LineTooLong:
            got += 'L';
            break;
        case FloodQuota::Verdict::Disconnect:
            got += 'D';
            break;
        }
    }
    QCOMPARE(got, verdicts);
}

QTEST_APPLESS_MAIN(tst_FloodQuota)
#include "tst_floodquota.moc"
