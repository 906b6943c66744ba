#include "protocol/LineFields.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// The server cuts lines at 255 bytes; a cut line loses its closing quote and its line end.
QString cutAt255(const QString& line)
{
    return (line + QString(255, u'a')).left(255);
}

} // namespace

class tst_LineFields : public QObject {
    Q_OBJECT
private slots:
    void mid_data();
    void mid();
    void flagPos_data();
    void flagPos();
    void fields_data();
    void fields();
    void statusLine();
};

void tst_LineFields::mid_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("result");

    QTest::newRow("inside") << 2 << 2 << true << u"bc"_s;
    QTest::newRow("clipped at end") << 3 << 9 << true << u"cd"_s;
    QTest::newRow("just past end") << 5 << 1 << true << QString();
    QTest::newRow("zero count") << 1 << 0 << true << QString();
    QTest::newRow("negative count") << 1 << -1 << false << QString();
    QTest::newRow("start zero") << 0 << 1 << false << QString();
}

void tst_LineFields::mid()
{
    QFETCH(int, start);
    QFETCH(int, count);
    QFETCH(bool, valid);
    QFETCH(QString, result);
    const std::optional<QString> cut = Mid(u"abcd"_s, start, count);
    QCOMPARE(cut.has_value(), valid);
    if (valid)
        QCOMPARE(*cut, result);
}

void tst_LineFields::flagPos_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("pos");

    QTest::newRow("talk") << u"1005 TALK bob 0010 \"hi\""_s << 15;
    QTest::newRow("flags end the line") << u"1003 LEAVE alice 0000"_s << 18;
    QTest::newRow("digits in the name") << u"1005 TALK b0002 0010 \"hi\""_s << 17;
    QTest::newRow("digits in the text") << u"1005 TALK bob 0010 \"0012 is here\""_s << 15;
    QTest::newRow("10000 gold") << u"1005 TALK bob 0000 \"I have 10000 gold\""_s << 15;
    QTest::newRow("0001") << u"1001 USER root 0001 [CHAT]"_s << 16;
    QTest::newRow("0004") << u"1002 JOIN v 0004 [CHAT]"_s << 13;
    QTest::newRow("0008") << u"1023 EMOTE op 0008 \"x\""_s << 15;
    QTest::newRow("upper case hex") << u"1001 USER bob 00AF [CHAT]"_s << 15;
    QTest::newRow("no flag field") << u"1003 LEAVE bob"_s << 0;
    QTest::newRow("five digits") << u"1005 TALK bob 00100 \"x\""_s << 0;
    QTest::newRow("three digits") << u"1003 LEAVE bob 001"_s << 0;
    QTest::newRow("not hex") << u"1005 TALK bob 001g \"x\""_s << 0;
    QTest::newRow("two blanks") << u"1005 TALK bob  0010 \"x\""_s << 0;
    QTest::newRow("info") << u"1018 INFO \"Welcome\""_s << 0;
    QTest::newRow("empty") << QString() << 0;
}

void tst_LineFields::flagPos()
{
    QFETCH(QString, line);
    QFETCH(int, pos);
    QCOMPARE(FlagPos(line + u'\r'), pos);
}

void tst_LineFields::fields_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<QString>("shown");

    const QString cutTalk = cutAt255(u"1005 TALK bob 0010 \""_s);
    const QString cutInfo = cutAt255(u"1018 INFO \""_s);

    QTest::newRow("talk") << u"1005 TALK bob 0010 \"hi\""_s << true << u"<TALK bob :>hi"_s;
    QTest::newRow("talk empty") << u"1005 TALK bob 0010 \"\""_s << true << u"<TALK bob :>"_s;
    QTest::newRow("talk digits in name")
        << u"1005 TALK b0002 0010 \"hi\""_s << true << u"<TALK b0002 :>hi"_s;
    QTest::newRow("talk digits in text")
        << u"1005 TALK bob 0010 \"0012 is here\""_s << true << u"<TALK bob :>0012 is here"_s;
    QTest::newRow("talk 10000 gold") << u"1005 TALK bob 0000 \"I have 10000 gold\""_s << true
                                     << u"<TALK bob :>I have 10000 gold"_s;
    QTest::newRow("talk trailing digits")
        << u"1005 TALK bob 0010 \"see 0012\""_s << true << u"<TALK bob :>see 0012"_s;
    QTest::newRow("talk without flags") << u"1005 TALK bob"_s << false << QString();
    QTest::newRow("talk without text") << u"1005 TALK bob 0010"_s << false << QString();
    QTest::newRow("talk code only") << u"1005"_s << false << QString();
    QTest::newRow("talk cut, next line behind it")
        << cutTalk + u"1005 TALK eve 0010 \"yo\""_s << true
        << u"<TALK bob :>"_s + cutTalk.mid(20) + u"1005 TALK eve 0010 \"yo"_s;

    QTest::newRow("whisper") << u"1004 WHISPER bob 0010 \"hi\""_s << true
                             << u" bob :(Whispered) hi"_s;
    QTest::newRow("whisper inner quotes") << u"1004 WHISPER bob 0010 \"say \"x\" now\""_s << true
                                          << u" bob :(Whispered) say \"x\" now"_s;
    QTest::newRow("whisper 10000 gold") << u"1004 WHISPER bob 0001 \"I have 10000 gold\""_s << true
                                        << u" bob :(Whispered) I have 10000 gold"_s;
    QTest::newRow("whisper no quotes") << u"1004 WHISPER bob 0010 hi"_s << false << QString();
    QTest::newRow("whisper one quote") << u"1004 WHISPER bob 0010 \"hi"_s << false << QString();
    QTest::newRow("whisper no flags") << u"1004 WHISPER bob \"hi\""_s << false << QString();
    QTest::newRow("whisper cut at 255")
        << cutAt255(u"1004 WHISPER bob 0010 \""_s) << false << QString();

    QTest::newRow("info") << u"1018 INFO \"Welcome\""_s << true << u"Welcome"_s;
    QTest::newRow("info no quotes") << u"1018 INFO Welcome"_s << true << QString();
    QTest::newRow("info one quote") << u"1018 INFO \"abc"_s << true << QString();
    QTest::newRow("info empty") << u"1018 INFO \"\""_s << true << QString();
    QTest::newRow("info whois")
        << u"1018 INFO \"bob is using Chat and is currently in channel \"Chat\".\""_s << true
        << u"bob is using Chat and is currently in channel \"Chat\"."_s;
    QTest::newRow("info cut at 255") << cutInfo << true << QString();
    QTest::newRow("info cut, next line behind it")
        << cutInfo + u"1018 INFO \"next\""_s << true << cutInfo.mid(11) + u"1018 INFO \"next"_s;
    QTest::newRow("error") << u"1019 ERROR \"That user is not logged on.\""_s << true
                           << u"That user is not logged on."_s;

    QTest::newRow("emote") << u"1023 EMOTE bob 0010 \"waves\""_s << true << u"bob  waves"_s;
    QTest::newRow("emote digits in text")
        << u"1023 EMOTE bob 0008 \"has 0012 apples\""_s << true << u"bob  has 0012 apples"_s;
    QTest::newRow("emote without flags") << u"1023 EMOTE bob \"waves\""_s << false << QString();
    QTest::newRow("emote too short") << u"1023 EMOTE bob 0010 "_s << false << QString();

    QTest::newRow("user") << u"1001 USER bob 0010 [CHAT]"_s << true << u"bob "_s;
    QTest::newRow("join digits in name") << u"1002 JOIN b0010 0002 [CHAT]"_s << true << u"b0010 "_s;
    QTest::newRow("user without flags") << u"1001 USER bob"_s << false << QString();
    QTest::newRow("user too short") << u"1001 USE"_s << false << QString();

    QTest::newRow("leave") << u"1003 LEAVE bob 0010"_s << true << u"bob"_s;
    QTest::newRow("leave without flags") << u"1003 LEAVE bob"_s << true << QString();

    QTest::newRow("channel") << u"1007 CHANNEL \"Public Chat 1\""_s << true << u"Public Chat 1"_s;
    QTest::newRow("channel empty") << u"1007 CHANNEL \"\""_s << true << QString();
    QTest::newRow("channel too short") << u"1007 CHANNEL \""_s << false << QString();
}

// Each row goes to the field function of its event code, as the window's handlers do.
void tst_LineFields::fields()
{
    QFETCH(QString, line);
    QFETCH(bool, valid);
    QFETCH(QString, shown);

    const QString received = line + u'\r';
    std::optional<QString> result;
    const QStringView code = QStringView(line).left(4);
    if (code == u"1005")
        result = TalkDisplay(received);
    else if (code == u"1004")
        result = WhisperDisplay(received);
    else if (code == u"1018" || code == u"1019")
        result = InfoDisplay(received);
    else if (code == u"1023")
        result = EmoteDisplay(received);
    else if (code == u"1001" || code == u"1002")
        result = ListName(received);
    else if (code == u"1003")
        result = LeaveName(received);
    else if (code == u"1007")
        result = ChannelName(received);
    else
        QFAIL("no field function for this code");

    QCOMPARE(result.has_value(), valid);
    if (valid)
        QCOMPARE(*result, shown);
}

void tst_LineFields::statusLine()
{
    QCOMPARE(ChannelStatus(QString(), 1),
             u"You are connected to battle.net in channel: . With 1 users"_s);
    QCOMPARE(PlainTextLine(u"Login failed.\r"_s), u"Login failed."_s);
}

QTEST_APPLESS_MAIN(tst_LineFields)
#include "tst_linefields.moc"
