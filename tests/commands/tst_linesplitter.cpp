// Splitting a long chat, whisper or emote into lines the server takes.
#include "commands/LineSplitter.h"

#include <QTest>

class tst_LineSplitter : public QObject {
    Q_OBJECT
private slots:
    void pieces_data();
    void pieces();
    void prefixOfATypedLine_data();
    void prefixOfATypedLine();
};

void tst_LineSplitter::pieces_data()
{
    QTest::addColumn<QString>("prefix");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QStringList>("pieces");

    QTest::newRow("fits exactly") << ""
                                  << "hello world" << 11 << QStringList{"hello world"};
    QTest::newRow("one byte over: cut at the blank")
        << ""
        << "hello world!" << 11 << QStringList{"hello", "world!"};
    QTest::newRow("whisper prefix, exactly at the limit")
        << "/w Ann "
        << "hi there" << 15 << QStringList{"hi there"};
    QTest::newRow("whisper prefix, one over") << "/w Ann "
                                              << "hi there" << 14 << QStringList{"hi", "there"};
    QTest::newRow("blank right behind the limit")
        << ""
        << "abcde fgh" << 5 << QStringList{"abcde", "fgh"};
    QTest::newRow("one long word") << ""
                                   << "abcdefghij" << 4 << QStringList{"abcd", "efgh", "ij"};
    QTest::newRow("a leading blank is no place to cut")
        << ""
        << " abcdefg" << 4 << QStringList{" abc", "defg"};
    QTest::newRow("two-byte characters stay whole")
        << ""
        << "\u00e9\u00e9\u00e9" << 5 << QStringList{"\u00e9\u00e9", "\u00e9"};
    QTest::newRow("surrogate pair stays whole")
        << ""
        << "a\U0001F600b" << 4 << QStringList{"a", "\U0001F600", "b"};
    QTest::newRow("a character wider than the room goes whole")
        << ""
        << "\U0001F600\U0001F600" << 3 << QStringList{"\U0001F600", "\U0001F600"};
    QTest::newRow("empty emote") << "/emote "
                                 << "" << 10 << QStringList{""};
    QTest::newRow("prefix fills the limit") << "/w Annabelle "
                                            << "hi" << 10 << QStringList{"h", "i"};
}

void tst_LineSplitter::pieces()
{
    QFETCH(QString, prefix);
    QFETCH(QString, text);
    QFETCH(int, limit);
    QFETCH(QStringList, pieces);

    QCOMPARE(splitLongLine(prefix, text, limit), pieces);
}

// What a line typed into the input box repeats in each piece; "-" for a command that is
// never split.
void tst_LineSplitter::prefixOfATypedLine_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("prefix");

    QTest::newRow("talk") << "hello there"
                          << "";
    QTest::newRow("/w") << "/w Ann hello there"
                        << "/w Ann ";
    QTest::newRow("/msg") << "/msg Ann hi"
                          << "/msg Ann ";
    QTest::newRow("/me") << "/me waves"
                         << "/me ";
    QTest::newRow("whisper without a message") << "/w Ann"
                                               << "-";
    QTest::newRow("another command") << "/join Some Channel"
                                     << "-";
    QTest::newRow("not at the start") << " /w Ann hi"
                                      << "";
}

void tst_LineSplitter::prefixOfATypedLine()
{
    QFETCH(QString, line);
    QFETCH(QString, prefix);

    QCOMPARE(splitPrefixOf(line).value_or("-"), prefix);
}

QTEST_APPLESS_MAIN(tst_LineSplitter)
#include "tst_linesplitter.moc"
