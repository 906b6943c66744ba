// The pure parts of sending: when each line of a burst may go, the limits, what the queue
// forgets with a connection, and how a long line is split.
#include "commands/FloodLimits.h"
#include "commands/FloodPacer.h"
#include "commands/LineSplitter.h"
#include "commands/SendQueue.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTest>

Q_DECLARE_METATYPE(SplitRefusal)

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
    void noTalkPieceIsACommand();
};

// Lines arrive at "ms:bytes" and go as soon as the pacer lets them; the times they go.
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

// Seven lines at once: four go, three are thrown away with the connection, the timer stops.
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
    QTest::addColumn<int>("shortest");
    QTest::addColumn<QStringList>("pieces");
    QTest::addColumn<SplitRefusal>("refusal");

    // Most rows show the cutting with tiny limits, so they let a piece be one byte long.
    const auto row = [](const char* name, const QString& prefix, const QString& text, int limit,
                        const QStringList& pieces, int shortest = 1,
                        SplitRefusal refusal = SplitRefusal::None) {
        QTest::newRow(name) << prefix << text << limit << shortest << pieces << refusal;
    };
    const QString x155(155, 'x');
    const QString longName = "/w " + QString(300, 'n') + " ";
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
    row("prefix fills the limit", "/w Annabelle ", "hi", 10, {}, 1, SplitRefusal::NoRoom);
    row("a slash behind the last blank moves the cut", "", x155 + " /logout see you", 160,
        {x155 + " /log", "out see you"}, 32);
    row("an earlier blank is taken instead", "", "hello " + QString(150, 'x') + " /ban bob", 160,
        {"hello", QString(150, 'x') + " /ban bob"}, 32);
    row("blanks before the slash count as well", "", "abcd  /quit", 8, {"abcd  /q", "uit"});
    row("a hard cut never leaves a slash first", "", "abc//def", 3, {"ab", "c//", "def"});
    row("a slash run longer than a line is refused", "", "a" + QString(200, '/'), 160, {}, 32,
        SplitRefusal::WouldBeCommand);
    row("a whisper piece may begin with a slash", "/w Ann ", QString(30, 'x') + " /ban bob", 40,
        {QString(30, 'x'), "/ban bob"}, 32);
    row("a name too long to whisper to is refused", longName, "hello world", 160, {}, 32,
        SplitRefusal::NoRoom);
    row("a long name with a text that fits is sent", "/w " + QString(140, 'n') + " ", "hi", 160,
        {"hi"}, 32);
    row("a prefix leaving 31 bytes is refused", QString(129, 'p'), QString(40, 'x'), 160, {}, 32,
        SplitRefusal::NoRoom);
    row("a prefix leaving 32 bytes is enough", QString(128, 'p'), QString(40, 'x'), 160,
        {QString(32, 'x'), QString(8, 'x')}, 32);
}

void tst_SendingParts::pieces()
{
    QFETCH(QString, prefix);
    QFETCH(QString, text);
    QFETCH(int, limit);
    QFETCH(int, shortest);
    QFETCH(QStringList, pieces);
    QFETCH(SplitRefusal, refusal);

    SplitRefusal why = SplitRefusal::WouldBeCommand;
    QCOMPARE(splitLongLine(prefix, text, limit, &why, shortest), pieces);
    QCOMPARE(why, refusal);
}

// Random mixtures: no piece of talk begins with " */", every piece fits, the pieces give the
// text back; a refusal needs a run of slashes and blanks that fills a line.
void tst_SendingParts::noTalkPieceIsACommand()
{
    QRandomGenerator random(20261209);
    const QString alphabet[] = {"/", " ", "x", "\u00e9", "\U0001F600"};
    for (int round = 0; round < 3000; ++round) {
        const int limit = random.bounded(40, 256);
        const int slashes = random.bounded(1, 95); // percent of the characters
        QString text = "t";
        for (int n = random.bounded(600); n > 0; --n) {
            const int pick = random.bounded(100);
            text += pick < slashes ? alphabet[0] : alphabet[1 + pick % 4];
        }
        SplitRefusal why = SplitRefusal::None;
        const QStringList pieces = splitLongLine(QString(), text, limit, &why);
        if (why != SplitRefusal::None) {
            QCOMPARE(why, SplitRefusal::WouldBeCommand);
            QVERIFY2(QRegularExpression(QString("[/ ]{%1}").arg(limit - 4)).match(text).hasMatch(),
                     qPrintable(text));
            continue;
        }
        qsizetype at = 0;
        for (const QString& piece : pieces) {
            QVERIFY2(!QRegularExpression("^ */").match(piece).hasMatch(), qPrintable(text));
            QVERIFY(piece.toUtf8().size() <= limit);
            if (!QStringView(text).mid(at).startsWith(piece) && text.at(at) == ' ')
                ++at; // the blank the cut dropped
            QVERIFY2(QStringView(text).mid(at).startsWith(piece), qPrintable(text));
            at += piece.size();
        }
        // A blank at the very end only separated the last two pieces.
        QVERIFY2(at == text.size() || (at + 1 == text.size() && text.endsWith(' ')),
                 qPrintable(text));
    }
}

QTEST_GUILESS_MAIN(tst_SendingParts)
#include "tst_sendingparts.moc"
