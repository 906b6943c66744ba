#include "protocol/ReceivedText.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

template <size_t N> QByteArray bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

} // namespace

class tst_ReceivedText : public QObject {
    Q_OBJECT
private slots:
    void decode_data();
    void decode();
    void lineForHandler_data();
    void lineForHandler();
    void startsWithFourDigits_data();
    void startsWithFourDigits();
};

void tst_ReceivedText::decode_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<QString>("text");

    QTest::newRow("ascii") << bytes("1018 INFO \"hi\"") << u"1018 INFO \"hi\""_s;
    QTest::newRow("utf-8 two bytes") << bytes("gr\xc3\xbc\xc3\x9f"
                                              "e")
                                     << u"grüße"_s;
    QTest::newRow("utf-8 four bytes") << bytes("\xf0\x9f\x98\x80!") << u"\U0001F600!"_s;
    QTest::newRow("latin text") << bytes("gr\xfc\xdf"
                                         "e")
                                << u"grüße"_s;
    QTest::newRow("one bad byte makes it all 1252") << bytes("\xc3\xa9 \xe9") << u"Ã© é"_s;
    QTest::newRow("overlong slash") << bytes("\xc0\xaf") << u"À¯"_s;
    QTest::newRow("surrogate") << bytes("\xed\xa0\x80") << u"í\u00a0€"_s;
    QTest::newRow("above U+10FFFF") << bytes("\xf4\x90\x80\x80") << u"ô\u0090€€"_s;
    QTest::newRow("sequence cut at the end") << bytes("ab\xe2\x82") << u"abâ‚"_s;
    QTest::newRow("0x80 and 0x9F") << bytes("\x80\x9f") << u"€Ÿ"_s;
    QTest::newRow("undefined 1252 bytes")
        << bytes("\x81\x8d\x8f\x90\x9d") << u"\u0081\u008d\u008f\u0090\u009d"_s;
    QTest::newRow("NUL is valid utf-8") << bytes("a\0b") << QString::fromUtf16(u"a\0b", 3);
}

void tst_ReceivedText::decode()
{
    QFETCH(QByteArray, raw);
    QFETCH(QString, text);
    QCOMPARE(DecodeLine(raw), text);
}

void tst_ReceivedText::lineForHandler_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<QString>("line");

    QTest::newRow("plain") << bytes("1005 TALK bob 0010 \"hi\"")
                           << u"1005 TALK bob 0010 \"hi\"\r"_s;
    QTest::newRow("empty") << QByteArray() << u"\r"_s;
    QTest::newRow("NUL and ESC") << bytes("a\0\x1b[2Jb") << u"a\u2400\u241b[2Jb\r"_s;
    QTest::newRow("CR and LF inside") << bytes("a\rb\nc") << u"a\u240db\u240ac\r"_s;
    QTest::newRow("tab kept, DEL shown") << bytes("a\tb\x7f") << u"a\tb\u2421\r"_s;
    QTest::newRow("line separators") << bytes("a\xe2\x80\xa8"
                                              "b\xe2\x80\xa9"
                                              "c\xc2\x85")
                                     << u"a\ufffdb\ufffdc\ufffd\r"_s;
    QTest::newRow("C1 from utf-8") << bytes("\xc2\x80\xc2\x9f") << u"\ufffd\ufffd\r"_s;
    QTest::newRow("1252 ellipsis is text") << bytes("wait\x85") << u"wait…\r"_s;
    QTest::newRow("undefined 1252 byte") << bytes("\x81x") << u"\ufffdx\r"_s;
}

// Decoding and making controls visible keep one character per character, so the position
// arithmetic of the handlers sees the same layout as the server sent.
void tst_ReceivedText::lineForHandler()
{
    QFETCH(QByteArray, raw);
    QFETCH(QString, line);
    QCOMPARE(LineForHandler(raw), line);
}

void tst_ReceivedText::startsWithFourDigits_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<bool>("result");

    QTest::newRow("event") << u"1005 TALK\r"_s << true;
    QTest::newRow("code only") << u"2010"_s << true;
    QTest::newRow("three digits") << u"100\r"_s << false;
    QTest::newRow("letter") << u"10a5 x\r"_s << false;
    QTest::newRow("greeting") << u"Login failed.\r"_s << false;
    QTest::newRow("other digits") << u"\u0661\u0662\u0663\u0664 x\r"_s << false;
    QTest::newRow("empty") << QString() << false;
}

void tst_ReceivedText::startsWithFourDigits()
{
    QFETCH(QString, line);
    QFETCH(bool, result);
    QCOMPARE(StartsWithFourDigits(line), result);
}

QTEST_APPLESS_MAIN(tst_ReceivedText)
#include "tst_receivedtext.moc"
