// The pure parts of sending, with a clock the test moves on: when each line of a burst may
// go, the limits the user can set, what the queue forgets with a connection, and how a long
// line is split. Their use on a real connection is tested in tst_sending and tst_commands.
#include "commands/FloodLimits.h"
#include "commands/FloodPacer.h"
#include "commands/LineSplitter.h"
#include "commands/SendQueue.h"

#include <QTest>

class tst_SendingParts : public QObject {
    Q_OBJECT
private slots:
    void sendTimes_data();
    void sendTimes();
    void limits_data();
    void limits();
    void queueDiscardsWaitingLines();
    void pieces_data();
    void pieces();
    void prefixOfATypedLine_data();
    void prefixOfATypedLine();
};

// Lines arrive at "ms:bytes"; each goes, in order, as soon as the pacer lets it (the server's
// window plus the margin, 6000 ms by default). The times they go.
void tst_SendingParts::sendTimes_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("windowSeconds");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QList<int>>("sentAt");

    const auto row = [](const char* name, const QStringList& lines, int window, bool enabled,
                        const QList<int>& sentAt) {
        QTest::newRow(name) << lines << window << enabled << sentAt;
    };
    const auto times = [](int n, const QString& line) { return QStringList(n, line); };
    row("four at once go at once", times(4, "0:10"), 5, true, {0, 0, 0, 0});
    row("twelve at once, four per window", times(12, "0:10"), 5, true,
        {0, 0, 0, 0, 6000, 6000, 6000, 6000, 12000, 12000, 12000, 12000});
    row("typing at a normal pace is never held up",
        {"0:30", "1500:30", "3000:30", "4500:30", "6000:30", "7500:30"}, 5, true,
        {0, 1500, 3000, 4500, 6000, 7500});
    row("held up until the oldest line drops out",
        {"0:10", "2000:10", "2500:10", "3000:10", "3100:10"}, 5, true, {0, 2000, 2500, 3000, 6000});
    row("41 bytes cost two units", times(3, "0:41"), 5, true, {0, 0, 6000});
    row("160 bytes need an empty window", {"0:10", "0:160", "0:10"}, 5, true, {0, 6000, 12000});
    row("a line over the quota goes once nothing counts", {"0:10", "0:200", "0:10"}, 5, true,
        {0, 6000, 12000});
    row("a shorter window", times(5, "0:10"), 1, true, {0, 0, 0, 0, 2000});
    row("switched off", times(6, "0:200"), 5, false, {0, 0, 0, 0, 0, 0});
}

void tst_SendingParts::sendTimes()
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

void tst_SendingParts::limits_data()
{
    QTest::addColumn<QStringList>("typed"); // wrap, units, window, longest
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<QString>("error"); // empty: accepted

    const auto row = [](const char* name, const QStringList& typed, bool enabled,
                        const QString& error) { QTest::newRow(name) << typed << enabled << error; };
    row("defaults", {"40", "5", "5", "160"}, true, "");
    row("longest line over what the units allow", {"40", "5", "5", "161"}, true,
        "With 40 bytes per unit and 5 units, the longest line can be at most 160 bytes: a "
        "longer line would cost 5 units or more, and the server would refuse it every time.");
    row("the same with the protection off", {"40", "5", "5", "161"}, false, "");
    const QString wrapRange = "Bytes per unit must be a whole number of bytes from 1 to 255.";
    row("not a number", {"forty", "5", "5", "160"}, true, wrapRange);
    row("zero", {"0", "5", "5", "160"}, true, wrapRange);
    row("too large for any number", {"99999999999", "5", "5", "160"}, true, wrapRange);
    row("one unit", {"40", "1", "5", "160"}, true, "Units must be a whole number from 2 to 100.");
    row("a fraction of a second", {"40", "5", "1.5", "160"}, true,
        "Window must be a whole number of seconds from 1 to 600.");
    row("longer than the server takes", {"40", "5", "5", "256"}, false,
        "Longest line must be a whole number of bytes from 40 to 255.");
}

void tst_SendingParts::limits()
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

// Seven lines at once: four go, three are thrown away with the connection (what the user
// is told is tested in tst_sending), and the timer stops.
void tst_SendingParts::queueDiscardsWaitingLines()
{
    qint64 now = 0;
    SendQueue queue([&now] { return now; });
    int written = 0;
    queue.setWriter([&](const QByteArray&) { ++written; });
    for (int i = 0; i < 7; ++i)
        queue.enqueue({"x", {}});
    QCOMPARE(queue.discard(), 3);
    QCOMPARE(queue.nextAttemptAfter(), -1);
    // The next connection starts with a clear quota: its first four lines go at once.
    for (int i = 0; i < 4; ++i)
        queue.enqueue({"y", {}});
    QCOMPARE(written, 8);
}

void tst_SendingParts::pieces_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QStringList>("pieces");

    const auto row = [](const char* name, const QString& prefix, const QString& text, int limit,
                        const QStringList& pieces) {
        QTest::newRow(name) << prefix << text << limit << pieces;
    };
    row("whisper prefix, exactly at the limit", "/w Ann ", "hi there", 15, {"hi there"});
    row("whisper prefix, one over: cut at the blank", "/w Ann ", "hi there", 14, {"hi", "there"});
    row("blank right behind the limit", "", "abcde fgh", 5, {"abcde", "fgh"});
    row("one long word", "", "abcdefghij", 4, {"abcd", "efgh", "ij"});
    row("a leading blank is no place to cut", "", " abcdefg", 4, {" abc", "defg"});
    row("two-byte characters stay whole", "", "\u00e9\u00e9\u00e9", 5, {"\u00e9\u00e9", "\u00e9"});
    row("surrogate pair stays whole", "", "a\U0001F600b", 4, {"a", "\U0001F600", "b"});
    row("a character wider than the room goes whole", "", "\U0001F600\U0001F600", 3,
        {"\U0001F600", "\U0001F600"});
    row("empty emote", "/emote ", "", 10, {""});
    row("prefix fills the limit", "/w Annabelle ", "hi", 10, {"h", "i"});
}

void tst_SendingParts::pieces()
{
    QFETCH(QString, prefix);
    QFETCH(QString, text);
    QFETCH(int, limit);
    QFETCH(QStringList, pieces);

    QCOMPARE(splitLongLine(prefix, text, limit), pieces);
}

// What a line typed into the input box repeats in each piece; "-" for a command that is
// never split. Talk, "/w" and another command are tested as typed (tst_commands).
void tst_SendingParts::prefixOfATypedLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("prefix");

    const auto row = [](const char* name, const QString& line, const QString& prefix) {
        QTest::newRow(name) << line << prefix;
    };
    row("/msg", "/msg Ann hi", "/msg Ann ");
    row("/me", "/me waves", "/me ");
    row("whisper without a message", "/w Ann", "-");
    row("not at the start", " /w Ann hi", "");
}

void tst_SendingParts::prefixOfATypedLine()
{
    QFETCH(QString, line);
    QFETCH(QString, prefix);

    QCOMPARE(splitPrefixOf(line).value_or("-"), prefix);
}

QTEST_GUILESS_MAIN(tst_SendingParts)
#include "tst_sendingparts.moc"
