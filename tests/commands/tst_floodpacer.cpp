// The flood protection's pure parts with a clock the test moves on: when each line of a
// burst may go, the limits the user can set, and what the queue forgets with a connection.
// The queue's order, echoes and waiting count are tested on a real connection (tst_sending).
#include "commands/FloodLimits.h"
#include "commands/FloodPacer.h"
#include "commands/SendQueue.h"

#include <QTest>

class tst_FloodPacer : public QObject {
    Q_OBJECT
private slots:
    void sendTimes_data();
    void sendTimes();
    void limits_data();
    void limits();
    void queueDiscardsWaitingLines();
};

// Lines arrive at "ms:bytes"; each goes, in order, as soon as the pacer lets it (the server's
// window plus the margin, 6000 ms by default). The times they go.
void tst_FloodPacer::sendTimes_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("windowSeconds");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QList<int>>("sentAt");

    const auto times = [](int n, const QString& line) { return QStringList(n, line); };
    QTest::newRow("four at once go at once")
        << times(4, "0:10") << 5 << true << QList<int>{0, 0, 0, 0};
    QTest::newRow("the fifth waits for the first to drop out")
        << times(5, "0:10") << 5 << true << QList<int>{0, 0, 0, 0, 6000};
    QTest::newRow("twelve at once, four per window")
        << times(12, "0:10") << 5 << true
        << QList<int>{0, 0, 0, 0, 6000, 6000, 6000, 6000, 12000, 12000, 12000, 12000};
    QTest::newRow("typing at a normal pace is never held up")
        << QStringList{"0:30", "1500:30", "3000:30", "4500:30", "6000:30", "7500:30"} << 5 << true
        << QList<int>{0, 1500, 3000, 4500, 6000, 7500};
    QTest::newRow("held up until the oldest line drops out")
        << QStringList{"0:10", "2000:10", "2500:10", "3000:10", "3100:10"} << 5 << true
        << QList<int>{0, 2000, 2500, 3000, 6000};
    QTest::newRow("41 bytes cost two units")
        << times(3, "0:41") << 5 << true << QList<int>{0, 0, 6000};
    QTest::newRow("160 bytes need an empty window")
        << QStringList{"0:10", "0:160", "0:10"} << 5 << true << QList<int>{0, 6000, 12000};
    QTest::newRow("a line over the quota goes once nothing counts")
        << QStringList{"0:10", "0:200", "0:10"} << 5 << true << QList<int>{0, 6000, 12000};
    QTest::newRow("a shorter window")
        << times(5, "0:10") << 1 << true << QList<int>{0, 0, 0, 0, 2000};
    QTest::newRow("switched off") << times(6, "0:200") << 5 << false
                                  << QList<int>{0, 0, 0, 0, 0, 0};
}

void tst_FloodPacer::sendTimes()
{
    QFETCH(QStringList, lines);
    QFETCH(int, windowSeconds);
    QFETCH(bool, enabled);
    QFETCH(QList<int>, sentAt);

    qint64 now = 0;
    FloodPacer pacer([&now] { return now; });
    FloodLimits limits;
    limits.windowSeconds = windowSeconds;
    limits.enabled = enabled;
    pacer.setLimits(limits);
    QList<int> got;
    for (const QString& line : lines) {
        now = qMax(now, line.section(':', 0, 0).toLongLong());
        const qsizetype bytes = line.section(':', 1).toInt();
        now += pacer.waitBefore(bytes);
        QCOMPARE(pacer.waitBefore(bytes), 0);
        pacer.sent(bytes);
        got << int(now);
    }
    QCOMPARE(got, sentAt);
}

void tst_FloodPacer::limits_data()
{
    QTest::addColumn<QStringList>("typed"); // wrap, units, window, longest
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("error"); // empty: accepted

    QTest::newRow("defaults") << QStringList{"40", "5", "5", "160"} << true << "";
    QTest::newRow("longest line over what the units allow")
        << QStringList{"40", "5", "5", "161"} << true
        << "With 40 bytes per unit and 5 units, the longest line can be at most 160 bytes: a "
           "longer line would cost 5 units or more, and the server would refuse it every time.";
    QTest::newRow("the same with the protection off")
        << QStringList{"40", "5", "5", "161"} << false << "";
    const QString wrapRange = "Bytes per unit must be a whole number of bytes from 1 to 255.";
    QTest::newRow("not a number") << QStringList{"forty", "5", "5", "160"} << true << wrapRange;
    QTest::newRow("zero") << QStringList{"0", "5", "5", "160"} << true << wrapRange;
    QTest::newRow("too large for any number")
        << QStringList{"99999999999", "5", "5", "160"} << true << wrapRange;
    QTest::newRow("one unit") << QStringList{"40", "1", "5", "160"} << true
                              << "Units must be a whole number from 2 to 100.";
    QTest::newRow("a fraction of a second")
        << QStringList{"40", "5", "1.5", "160"} << true
        << "Window must be a whole number of seconds from 1 to 600.";
    QTest::newRow("longer than the server takes")
        << QStringList{"40", "5", "5", "256"} << false
        << "Longest line must be a whole number of bytes from 40 to 255.";
}

void tst_FloodPacer::limits()
{
    QFETCH(QStringList, typed);
    QFETCH(bool, enabled);
    QFETCH(QString, error);

    const FloodLimitsOrError parsed =
        parseFloodLimits(typed[0], typed[1], typed[2], typed[3], enabled);
    QCOMPARE(parsed.error, error);
    QCOMPARE(parsed.limits.has_value(), error.isEmpty());
    if (parsed.limits) {
        QCOMPARE(parsed.limits->wrapBytes, typed[0].trimmed().toInt());
        QCOMPARE(parsed.limits->longestLine, typed[3].toInt());
        QCOMPARE(parsed.limits->enabled, enabled);
    }
}

void tst_FloodPacer::queueDiscardsWaitingLines()
{
    qint64 now = 0;
    SendQueue queue([&now] { return now; });
    int written = 0;
    int echoed = 0;
    queue.setWriter([&](const QByteArray&) { ++written; });
    for (int i = 0; i < 7; ++i)
        queue.enqueue({"x", [&] { ++echoed; }});
    QCOMPARE(queue.discard(), 3);
    QCOMPARE(queue.waiting(), 0);
    QCOMPARE(queue.nextAttemptAfter(), -1);
    QCOMPARE(echoed, 4);

    // The next connection starts with a clear quota: its first four lines go at once.
    for (int i = 0; i < 4; ++i)
        queue.enqueue({"y", {}});
    QCOMPARE(written, 8);
    QCOMPARE(queue.discard(), 0);
}

QTEST_GUILESS_MAIN(tst_FloodPacer)
#include "tst_floodpacer.moc"
