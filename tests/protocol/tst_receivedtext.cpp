#include "protocol/ReceivedText.h"

#include <QTest>

using namespace Qt::StringLiterals;

class tst_ReceivedText : public QObject {
    Q_OBJECT
private slots:
    void handlerLine_data();
    void handlerLine();
};

template <size_t N> static QByteArray bytes(const char (&text)[N]) // keeps embedded NUL bytes
{
    return QByteArray(text, N - 1);
}

void tst_ReceivedText::handlerLine_data()
{
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<QString>("line");

    QTest::newRow("ascii") << bytes("1005 TALK b 0010 \"hi\"") << u"1005 TALK b 0010 \"hi\"\r"_s;
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
    // U+202A..U+202E embeddings and overrides, U+2066..U+2069 isolates. Right-to-left
    // letters and the right-to-left mark U+200F stay as they are.
    QTest::newRow("bidirectional controls") << bytes("a\xe2\x80\xaa"
                                                     "b\xe2\x80\xae"
                                                     "c\xe2\x81\xa6"
                                                     "d\xe2\x81\xa9"
                                                     "e\xe2\x80\xac\xe2\x80\xad")
                                            << u"a\ufffdb\ufffdc\ufffdd\ufffde\ufffd\ufffd\r"_s;
    QTest::newRow("right-to-left text") << bytes("\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d "
                                                 "\xd8\xb3\xd9\x84\xd8\xa7\xd9\x85\xe2\x80\x8f")
                                        << u"שלום سلام\u200f\r"_s;
}

// One character per character, so positions in the line are those the server sent.
void tst_ReceivedText::handlerLine()
{
    QFETCH(QByteArray, raw);
    QFETCH(QString, line);
    QCOMPARE(lineForHandler(raw), line);
}

QTEST_APPLESS_MAIN(tst_ReceivedText)
#include "tst_receivedtext.moc"
