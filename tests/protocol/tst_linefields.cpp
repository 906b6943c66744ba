#include "protocol/LineFields.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_LineFields : public QObject {
    Q_OBJECT
private slots:
    void flagPos_data();
    void flagPos();
    void fields_data();
    void fields();
    void statusLine();
};

void tst_LineFields::flagPos_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("pos");

    QTest::newRow("talk") << u"1005 TALK bob 0010 \"hi\""_s << 15;
    QTest::newRow("at line end") << u"1003 LEAVE alice 0000"_s << 18;
    QTest::newRow("digits in name") << u"1005 TALK b0002 0010 \"hi\""_s << 17;
    QTest::newRow("10000 gold") << u"1005 TALK bob 0000 \"I have 10000 gold\""_s << 15;
    QTest::newRow("0001") << u"1001 USER root 0001 [CHAT]"_s << 16;
    QTest::newRow("0004") << u"1002 JOIN v 0004 [CHAT]"_s << 13;
    QTest::newRow("0008, upper case") << u"1023 EMOTE op 008A \"x\""_s << 15;
    QTest::newRow("no flag field") << u"1003 LEAVE bob"_s << 0;
    QTest::newRow("five digits") << u"1005 TALK bob 00100 \"x\""_s << 0;
    QTest::newRow("not hex") << u"1005 TALK bob 001g \"x\""_s << 0;
    QTest::newRow("two blanks") << u"1005 TALK bob  0010 \"x\""_s << 0;
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

    // The server cuts lines at 255 bytes: the closing quote and line end are lost, and the
    // next line follows directly.
    const QString cutTalk = (u"1005 TALK bob 0010 \""_s + QString(255, u'a')).left(255);
    const QString cutInfo = (u"1018 INFO \""_s + QString(255, u'a')).left(255);

    QTest::newRow("talk") << u"1005 TALK bob 0010 \"hi\""_s << true << u"<TALK bob :>hi"_s;
    QTest::newRow("talk empty") << u"1005 TALK bob 0010 \"\""_s << true << u"<TALK bob :>"_s;
    QTest::newRow("talk digits in name")
        << u"1005 TALK b0002 0010 \"hi\""_s << true << u"<TALK b0002 :>hi"_s;
    QTest::newRow("talk 10000 gold") << u"1005 TALK bob 0000 \"I have 10000 gold\""_s << true
                                     << u"<TALK bob :>I have 10000 gold"_s;
    QTest::newRow("talk without flags") << u"1005 TALK bob \"hi\""_s << false << QString();
    QTest::newRow("talk without text") << u"1005 TALK bob 0010"_s << false << QString();
    QTest::newRow("talk code only") << u"1005"_s << false << QString();
    QTest::newRow("talk cut, next behind")
        << cutTalk + u"1005 TALK e 0010 \"yo\""_s << true
        << u"<TALK bob :>"_s + cutTalk.mid(20) + u"1005 TALK e 0010 \"yo"_s;

    QTest::newRow("whisper") << u"1004 WHISPER bob 0010 \"hi\""_s << true
                             << u" bob :(Whispered) hi"_s;
    QTest::newRow("whisper inner quotes") << u"1004 WHISPER bob 0010 \"say \"x\" now\""_s << true
                                          << u" bob :(Whispered) say \"x\" now"_s;
    QTest::newRow("whisper no quotes") << u"1004 WHISPER bob 0010 hi"_s << false << QString();
    QTest::newRow("whisper no flags") << u"1004 WHISPER bob \"hi\""_s << false << QString();
    QTest::newRow("whisper cut") << (u"1004 WHISPER bob 0010 \""_s + QString(240, u'a')) << false
                                 << QString();

    QTest::newRow("info") << u"1018 INFO \"Welcome\""_s << true << u"Welcome"_s;
    QTest::newRow("info no quotes") << u"1018 INFO Welcome"_s << true << QString();
    QTest::newRow("info one quote") << u"1018 INFO \"abc"_s << true << QString();
    QTest::newRow("info whois")
        << u"1018 INFO \"bob is using Chat and is currently in channel \"Chat\".\""_s << true
        << u"bob is using Chat and is currently in channel \"Chat\"."_s;
    QTest::newRow("info cut") << cutInfo << true << QString();
    QTest::newRow("info cut, next behind")
        << cutInfo + u"1019 ERROR \"x\""_s << true << cutInfo.mid(11) + u"1019 ERROR \"x"_s;

    QTest::newRow("emote") << u"1023 EMOTE bob 0010 \"waves\""_s << true << u"bob  waves"_s;
    QTest::newRow("emote too short") << u"1023 EMOTE bob 0010 "_s << false << QString();
    QTest::newRow("user") << u"1001 USER b0010 0002 [CHAT]"_s << true << u"b0010 "_s;
    QTest::newRow("user without flags") << u"1002 JOIN bob"_s << false << QString();
    QTest::newRow("leave") << u"1003 LEAVE bob 0010"_s << true << u"bob"_s;
    QTest::newRow("leave without flags") << u"1003 LEAVE bob"_s << true << QString();
    QTest::newRow("channel") << u"1007 CHANNEL \"Chat 1\""_s << true << u"Chat 1"_s;
    QTest::newRow("channel empty") << u"1007 CHANNEL \"\""_s << true << QString();
    QTest::newRow("channel too short") << u"1007 CHANNEL \""_s << false << QString();
}

// Each line goes to the field function of its event code, as the window's handlers do.
void tst_LineFields::fields()
{
    QFETCH(QString, line);
    QFETCH(bool, valid);
    QFETCH(QString, shown);

    const QString received = line + u'\r';
    const QStringView code = QStringView(line).left(4);
    std::optional<QString> result;
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
    else
        result = ChannelName(received);
    QCOMPARE(result.has_value(), valid);
    if (valid)
        QCOMPARE(*result, shown);
}

void tst_LineFields::statusLine()
{
    QCOMPARE(ChannelStatus(QString(), 1),
             u"You are connected to battle.net in channel: . With 1 users"_s);
}

QTEST_APPLESS_MAIN(tst_LineFields)
#include "tst_linefields.moc"
