// A received line decoded from its bytes, read as an event and shown.
#include "protocol/ChatEvent.h"
#include "protocol/ReceivedText.h"
#include "protocol/UserFlags.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {
const char* kindName(ChatEvent::Kind kind)
{
    static const char* const names[] = {"user",  "join",       "leave",  "flags", "whisper",
                                        "talk",  "channel",    "info",   "emote", "name",
                                        "plain", "unreadable", "ignored"};
    return names[int(kind)];
}

template <size_t N> QByteArray bytes(const char (&text)[N]) // keeps embedded NUL bytes
{
    return QByteArray(text, N - 1);
}
} // namespace

class tst_ChatEvent : public QObject {
    Q_OBJECT
private slots:
    void handlerLine_data();
    void handlerLine();
    void parse_data();
    void parse();
    void unterminated_data();
    void unterminated();
    void userFlags_data();
    void userFlags();
};

void tst_ChatEvent::handlerLine_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<QString>("line");

    QTest::newRow("empty") << QByteArray() << u"\r"_s;
    QTest::newRow("utf-8") << bytes("gr\xc3\xbc\xc3\x9f"
                                    "e \xf0\x9f\x98\x80")
                           << u"grüße 😀\r"_s;
    QTest::newRow("1252") << bytes("gr\xfc\xdf"
                                   "e")
                          << u"grüße\r"_s;
    QTest::newRow("one bad byte") << bytes("\xc3\xa9 \xe9") << u"Ã© é\r"_s;
    QTest::newRow("overlong") << bytes("\xc0\xaf") << u"À¯\r"_s;
    QTest::newRow("surrogate") << bytes("\xed\xa0\x80") << u"í\u00a0€\r"_s;
    QTest::newRow("above U+10FFFF") << bytes("\xf4\x90\x80\x80") << u"ô\ufffd€€\r"_s;
    QTest::newRow("cut sequence") << bytes("ab\xe2\x82") << u"abâ‚\r"_s;
    QTest::newRow("1252 0x80-0x9F") << bytes("\x80\x85\x9f\x81\x8d") << u"€…Ÿ\ufffd\ufffd\r"_s;
    QTest::newRow("NUL and ESC") << bytes("a\0\x1b[2Jb") << u"a\u2400\u241b[2Jb\r"_s;
    QTest::newRow("CR, LF inside") << bytes("a\rb\nc") << u"a\u240db\u240ac\r"_s;
    QTest::newRow("tab kept, DEL") << bytes("a\tb\x7f") << u"a\tb\u2421\r"_s;
    QTest::newRow("new-line look-alikes") << bytes("a\xe2\x80\xa8"
                                                   "b\xe2\x80\xa9"
                                                   "c\xc2\x85\xc2\x9f")
                                          << u"a\ufffdb\ufffdc\ufffd\ufffd\r"_s;
    // Embeddings, overrides and isolates go; right-to-left letters stay, the mark U+200F not.
    QTest::newRow("bidirectional controls") << bytes("a\xe2\x80\xaa"
                                                     "b\xe2\x80\xae"
                                                     "c\xe2\x81\xa6"
                                                     "d\xe2\x81\xa9"
                                                     "e\xe2\x80\xac\xe2\x80\xad")
                                            << u"a\ufffdb\ufffdc\ufffdd\ufffde\ufffd\ufffd\r"_s;
    QTest::newRow("right-to-left text") << bytes("\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d "
                                                 "\xd8\xb3\xd9\x84\xd8\xa7\xd9\x85\xe2\x80\x8f")
                                        << u"שלום سلام\ufffd\r"_s;
    // Default-ignorable code points, two of them outside the BMP (one symbol each).
    QTest::newRow("invisible characters")
        << bytes("alice\xe2\x80\x8b|\xe2\x81\xa0|\xef\xbb\xbf|\xd8\x9c|\xe1\xa0\x8e|\xc2\xad|"
                 "\xe3\x85\xa4|\xef\xb8\x8f|\xf3\xa0\x81\x81|\xf0\x9d\x85\xb3|\xf0\x9f\x98\x80")
        << u"alice\ufffd|\ufffd|\ufffd|\ufffd|\ufffd|\ufffd|\ufffd|\ufffd|\ufffd|\ufffd|😀\r"_s;
    // The selector and the joiner stay inside emoji sequences only.
    QTest::newRow("emoji sequences")
        << u"\u2764\ufe0f \U0001f468\u200d\U0001f469\u200d\U0001f467 "
           u"\U0001f3f3\ufe0f\u200d\U0001f308 \U0001f44b\U0001f3fd\u200d\u2642"_s.toUtf8()
        << u"\u2764\ufe0f \U0001f468\u200d\U0001f469\u200d\U0001f467 "
           u"\U0001f3f3\ufe0f\u200d\U0001f308 \U0001f44b\U0001f3fd\u200d\u2642\r"_s;
    QTest::newRow("selector and joiner alone")
        << u"bob\ufe0f \u2764\u200d a\u200d\u2764 x\u200dy"_s.toUtf8()
        << u"bob\ufffd \u2764\ufffd a\ufffd\u2764 x\ufffdy\r"_s;
}

// One character per character, so positions in the line are those the server sent.
void tst_ChatEvent::handlerLine()
{
    QFETCH(QByteArray, raw);
    QFETCH(QString, line);
    QCOMPARE(lineForHandler(raw), line);
}

// A line as the server sends it (without its CR), the event read from it and the line shown.
void tst_ChatEvent::parse_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("flags");
    QTest::addColumn<QString>("field"); // the text (a user's client tag), or the channel
    QTest::addColumn<QString>("shown");

    // Cut by the server at 255 bytes: no closing quote or line end, the next line follows.
    const QString cutTalk = (u"1005 TALK bob 0010 \""_s + QString(255, u'a')).left(255);
    const QString cutInfo = (u"1018 INFO \""_s + QString(255, u'a')).left(255);
    const QString none;

    auto row = [](const char* name, const QString& line, const char* kind, const QString& user,
                  const char* flags, const QString& field, const QString& shown) {
        QTest::newRow(name) << line << kind << user << flags << field << shown;
    };
    row("talk", u"1005 TALK bob 0010 \"hi\""_s, "talk", u"TALK bob "_s, "0010", u"hi"_s,
        u"<TALK bob :>hi"_s);
    row("talk empty", u"1005 TALK bob 0010 \"\""_s, "talk", u"TALK bob "_s, "0010", none,
        u"<TALK bob :>"_s);
    row("talk 10000 gold", u"1005 TALK bob 0000 \"I have 10000 gold\""_s, "talk", u"TALK bob "_s,
        "0000", u"I have 10000 gold"_s, u"<TALK bob :>I have 10000 gold"_s);
    // A right-to-left name or text: both fields isolated, so neither moves the other.
    row("talk, right to left", u"1005 TALK \u05d1 0010 \"\u05e9 1\""_s, "talk", u"TALK \u05d1 "_s,
        "0010", u"\u05e9 1"_s, u"<\u2068TALK \u05d1 \u2069:>\u2068\u05e9 1\u2069"_s);
    row("talk unclosed", u"1005 TALK bob 0010 \"unclosed"_s, "talk", u"TALK bob "_s, "0010",
        u"unclosed"_s, u"<TALK bob :>unclosed"_s);
    row("talk unopened", u"1005 TALK bob 0010 unopened\""_s, "talk", u"TALK bob "_s, "0010",
        u"unopened"_s, u"<TALK bob :>unopened"_s);
    row("talk without quotes", u"1005 TALK bob 0010 a b"_s, "talk", u"TALK bob "_s, "0010",
        u"a b"_s, u"<TALK bob :>a b"_s);
    row("talk a lone quote", u"1005 TALK bob 0010 \""_s, "talk", u"TALK bob "_s, "0010", none,
        u"<TALK bob :>"_s);
    row("flags of five digits", u"1005 TALK bob 00100 \"x\""_s, "unreadable", none, "", none, none);
    row("flags not hex", u"1005 TALK bob 001g \"x\""_s, "unreadable", none, "", none, none);
    row("two blanks before the flags", u"1005 TALK bob  0010 \"x\""_s, "unreadable", none, "", none,
        none);
    row("talk without flags", u"1005 TALK bob \"hi\""_s, "unreadable", none, "", none, none);
    row("talk without text", u"1005 TALK bob 0010"_s, "unreadable", none, "", none, none);
    row("talk cut, next behind", cutTalk + u"1005 TALK e 0010 \"yo\""_s, "talk", u"TALK bob "_s,
        "0010", cutTalk.mid(20) + u"1005 TALK e 0010 \"yo"_s,
        u"<TALK bob :>"_s + cutTalk.mid(20) + u"1005 TALK e 0010 \"yo"_s);

    row("whisper", u"1004 WHISPER bob 0010 \"hi\""_s, "whisper", u" bob "_s, "0010", u"hi"_s,
        u" bob :(Whispered) hi"_s);
    row("whisper inner quotes", u"1004 WHISPER bob 0010 \"say \"x\" now\""_s, "whisper", u" bob "_s,
        "0010", u"say \"x\" now"_s, u" bob :(Whispered) say \"x\" now"_s);
    row("whisper cut", u"1004 WHISPER bob 0010 \""_s + QString(240, u'a'), "whisper", u" bob "_s,
        "0010", QString(240, u'a'), u" bob :(Whispered) "_s + QString(240, u'a'));

    row("info", u"1018 INFO \"Welcome\""_s, "info", none, "", u"Welcome"_s, u"Welcome"_s);
    row("announcement", u"1006 _ \"Announcement from admin: maintenance soon\""_s, "info", none, "",
        u"Announcement from admin: maintenance soon"_s,
        u"Announcement from admin: maintenance soon"_s);
    row("info no quotes", u"1018 INFO Welcome"_s, "info", none, "", u"Welcome"_s, u"Welcome"_s);
    row("info one quote", u"1018 INFO \"abc"_s, "info", none, "", u"abc"_s, u"abc"_s);
    row("info unopened", u"1019 ERROR No such user.\""_s, "info", none, "", u"No such user."_s,
        u"No such user."_s);
    row("info whois", u"1018 INFO \"bob is in channel \"Chat\".\""_s, "info", none, "",
        u"bob is in channel \"Chat\"."_s, u"bob is in channel \"Chat\"."_s);
    row("info cut", cutInfo, "info", none, "", cutInfo.mid(11), cutInfo.mid(11));
    row("info cut, next behind", cutInfo + u"1019 ERROR \"x\""_s, "info", none, "",
        cutInfo.mid(11) + u"1019 ERROR \"x"_s, cutInfo.mid(11) + u"1019 ERROR \"x"_s);

    row("emote", u"1023 EMOTE bob 0010 \"waves\""_s, "emote", u"bob "_s, "0010", u"waves"_s,
        u"bob  waves"_s);
    row("emote, upper-case flags", u"1023 EMOTE op 008A \"x\""_s, "emote", u"op "_s, "008A", u"x"_s,
        u"op  x"_s);
    row("emote too short", u"1023 EMOTE bob 0010 "_s, "unreadable", none, "", none, none);

    row("user", u"1001 USER b0010 0002 [CHAT]"_s, "user", u"b0010 "_s, "0002", u"[CHAT]"_s, none);
    row("user without tag", u"1001 USER bob 0010"_s, "user", u"bob "_s, "0010", none, none);
    row("user tag with blanks", u"1001 USER bob 0010  [SEXP] "_s, "user", u"bob "_s, "0010",
        u"[SEXP]"_s, none);
    row("user without flags", u"1001 USER"_s, "unreadable", none, "", none, none);
    row("join", u"1002 JOIN bob 0010 [CHAT]"_s, "join", u"bob "_s, "0010", u"[CHAT]"_s,
        u"bob  has joined the channel"_s);
    row("flags changed", u"1009 USER bob 0002"_s, "flags", u"bob"_s, "0002", none, none);
    row("flags without flags", u"1009 USER bob"_s, "unreadable", none, "", none, none);
    row("leave", u"1003 LEAVE bob 0010"_s, "leave", u"bob"_s, "0010", none,
        u"bob has left the channel"_s);
    // Still a leave: it names nobody.
    row("leave without flags", u"1003 LEAVE bob"_s, "leave", none, "", none,
        u" has left the channel"_s);

    row("channel", u"1007 CHANNEL \"Chat 1\""_s, "channel", none, "", u"Chat 1"_s, none);
    row("channel empty", u"1007 CHANNEL \"\""_s, "channel", none, "", none, none);
    row("channel too short", u"1007 CHANNEL"_s, "unreadable", none, "", none, none);

    row("greeting", u"BOT or Telnet Connection from [127.0.0.1]"_s, "plain", none, "",
        u"BOT or Telnet Connection from [127.0.0.1]"_s,
        u"BOT or Telnet Connection from [127.0.0.1]"_s);
    row("empty line", none, "plain", none, "", none, none);
    row("three digits", u"100 x"_s, "plain", none, "", u"100 x"_s, u"100 x"_s);
    row("not ASCII digits", u"\u0661\u0662\u0663\u0664 x"_s, "plain", none, "",
        u"\u0661\u0662\u0663\u0664 x"_s, u"\u0661\u0662\u0663\u0664 x"_s);
    row("name", u"2010 NAME alice"_s, "name", u"alice"_s, "", none, none);
    row("name too short", u"2010 NAM"_s, "unreadable", none, "", none, none);
    row("whisper sent", u"1010 WHISPER bob 0010 \"x\""_s, "ignored", none, "", none, none);
}

void tst_ChatEvent::parse()
{
    QFETCH(QString, line);
    QFETCH(QString, kind);
    QFETCH(QString, user);
    QFETCH(QString, flags);
    QFETCH(QString, field);
    QFETCH(QString, shown);

    const QString received = line + u'\r';
    const ChatEvent event = parseChatEvent(received);
    QCOMPARE(kindName(event.kind), kind);
    QCOMPARE(event.user.toString(), user);
    QCOMPARE(event.flags.toString(), flags);
    QCOMPARE((event.kind == ChatEvent::Kind::Channel ? event.channel : event.text).toString(),
             field);
    QCOMPARE(displayLine(event), shown);
}

// Lines without a line end (cut at 255 bytes, or unfinished at the close), and the line shown.
void tst_ChatEvent::unterminated_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("shown");

    const QString text235(235, u'a');
    const QString ell = u"\u2026"_s;
    auto row = [](const char* name, const QString& line, const char* kind, const QString& shown) {
        QTest::newRow(name) << line << kind << shown;
    };
    row("talk cut at 255", u"1005 TALK bob 0010 \""_s + text235, "talk",
        u"<TALK bob :>"_s + text235 + ell);
    row("talk cut right after its quote", u"1005 TALK bob 0010 \"x"_s, "talk",
        u"<TALK bob :>x"_s + ell);
    row("talk cut without quotes", u"1005 TALK bob 0010 abc"_s, "talk", u"<TALK bob :>abc"_s + ell);
    row("talk unopened that kept its end", u"1005 TALK bob 0010 abc\""_s, "talk",
        u"<TALK bob :>abc"_s);
    row("info cut without quotes", u"1018 INFO bob is"_s, "info", u"bob is"_s + ell);
    row("talk unfinished before its text", u"1005 TALK bob 0010"_s, "unreadable", QString());
    row("whisper with quotes inside", u"1004 WHISPER bob 0010 \"say \"x\" and"_s, "whisper",
        u" bob :(Whispered) say \"x\" and"_s + ell);
    row("emote", u"1023 EMOTE bob 0010 \"waves at"_s, "emote", u"bob  waves at"_s + ell);
    row("info", u"1018 INFO \"bob is using"_s, "info", u"bob is using"_s + ell);
    row("right to left: the mark inside the text's isolate", u"1018 INFO \"\u05e9\u05dc"_s, "info",
        u"\u2068\u05e9\u05dc"_s + ell + u"\u2069"_s);
    row("info before its text", u"1018 IN"_s, "info", ell);
    row("join keeps its name", u"1002 JOIN bob 0010 [CH"_s, "join",
        u"bob  has joined the channel"_s);
    row("prompt as it stands", u"Password: "_s, "plain", u"Password: "_s);
    row("plain text with a quote", u"He said \"hi"_s, "plain", u"He said \"hi"_s);
}

void tst_ChatEvent::unterminated()
{
    QFETCH(QString, line);
    QFETCH(QString, kind);
    QFETCH(QString, shown);

    const QString received = line + u'\r'; // the event's fields are views into it
    const ChatEvent event = parseChatEvent(received, true);
    QCOMPARE(kindName(event.kind), kind);
    QCOMPARE(displayLine(event), shown);
}

// The flag field's bits: the highest rank, the squelch and the words a screen reader says.
void tst_ChatEvent::userFlags_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("rank");
    QTest::addColumn<bool>("squelched");
    QTest::addColumn<QString>("words");
    using Rank = UserFlags::Rank;
    auto row = [](const char* field, Rank rank, bool squelched, const char* words) {
        QTest::newRow(field) << QString::fromLatin1(field) << int(rank) << squelched
                             << QString::fromLatin1(words);
    };
    row("0010", Rank::None, false, "");
    row("0001", Rank::Administrator, false, "administrator");
    row("0002", Rank::ChannelOperator, false, "channel operator");
    row("0004", Rank::Voice, false, "voice");
    row("0008", Rank::ServerOperator, false, "server operator");
    row("0020", Rank::None, true, "squelched");
    row("0012", Rank::ChannelOperator, false, "channel operator");
    row("0022", Rank::ChannelOperator, true, "channel operator, squelched");
    row("000b", Rank::Administrator, false, "administrator, server operator, channel operator");
    row("002F", Rank::Administrator, true,
        "administrator, server operator, channel operator, voice, squelched");
    row("002", Rank::None, false, "");
    row("00020", Rank::None, false, "");
    row("+002", Rank::None, false, "");
    row("00g2", Rank::None, false, "");
    QTest::newRow("arabic digits") << u"٠٠٠٢"_s << int(Rank::None) << false << QString();
}

void tst_ChatEvent::userFlags()
{
    QFETCH(QString, field);
    QFETCH(int, rank);
    QFETCH(bool, squelched);
    QFETCH(QString, words);
    const UserFlags flags = parseUserFlags(field);
    QCOMPARE(int(flags.rank()), rank);
    QCOMPARE(flags.squelched(), squelched);
    QCOMPARE(describeUserFlags(flags), words);
}

QTEST_APPLESS_MAIN(tst_ChatEvent)
#include "tst_chatevent.moc"
