// The receive path end to end: server bytes into the main window's logs, list and status.
#include "ClientHarness.h"

#include "ui/LogBox.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

class tst_ReceivePath : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { h.reset(); }

    void linesReachTheirHandlers_data();
    void linesReachTheirHandlers();
    void noticesGoToTheEnd();
    void unfinishedLineAtTheClose();
    void nothingIsKeptPerLine();

private:
    std::unique_ptr<ClientHarness> h;
};

void tst_ReceivePath::init()
{
    h = std::make_unique<ClientHarness>(false);
    QVERIFY(h->connectSocket());
}

void tst_ReceivePath::linesReachTheirHandlers_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("chat");
    QTest::addColumn<QString>("whispers");
    QTest::addColumn<QStringList>("users");
    QTest::addColumn<QString>("status");

    const QString none;
    const QStringList nobody;
    // Talk, whisper, emote, info and error lines are followed to their logs in tst_looks.
    QTest::newRow("greeting and prompts")
        << QByteArray("BOT or Telnet Connection from [127.0.0.1]\r\n\r\nUsername: bob\r\n"
                      "\r\nLogin failed.\r\n")
        << "BOT or Telnet Connection from [127.0.0.1]\r\nUsername: bob\r\nLogin failed.\r\n"
        << none << nobody << none;
    QTest::newRow("silent codes") << QByteArray("2010 NAME bob\r\n2000 x\r\n1009 USER bob 0002\r\n"
                                                "1010 WHISPER bob 0010 \"x\"\r\n")
                                  << none << none << nobody << none;
    QTest::newRow("unreadable lines are skipped, the next is shown")
        << QByteArray("1005 TALK bob\r\n1004 WHISPER bob \"hi\"\r\n1023 EMOTE bob\r\n"
                      "1001 USER\r\n1002 JOIN x y\r\n1005 TALK bob 0010 \"ok\"\r\n")
        << "<TALK bob :>ok\r\n"
        << none << nobody << none;
    QTest::newRow("channel and users")
        << QByteArray("1007 CHANNEL \"Public Chat 1\"\r\n1001 USER bob 0010 [CHAT]\r\n"
                      "1001 USER ann 0001 [CHAT]\r\n")
        << none << none << QStringList{"bob ", "ann "}
        << "You are connected to battle.net in channel: Public Chat 1. With 2 users";
    QTest::newRow("a channel name with placeholders is shown as it is")
        << QByteArray("1007 CHANNEL \"50%2 %1\"\r\n") << none << none << nobody
        << "You are connected to battle.net in channel: 50%2 %1. With 0 users";
    QTest::newRow("a channel line too short to read clears nothing")
        << QByteArray("1007 CHANNEL \"Chat\"\r\n1001 USER bob 0010 [CHAT]\r\n1007 CHAN\r\n") << none
        << none << QStringList{"bob "}
        << "You are connected to battle.net in channel: Chat. With 1 users";
    QTest::newRow("leave removes the first match only")
        << QByteArray("1007 CHANNEL \"Chat\"\r\n1001 USER bob 0000\r\n1002 JOIN bob 0000\r\n"
                      "1002 JOIN ann 0000\r\n1003 LEAVE bob 0000\r\n1003 LEAVE zed 0000\r\n")
        << none << none << QStringList{"bob ", "ann "}
        << "You are connected to battle.net in channel: Chat. With 2 users";
    QTest::newRow("cut by the server, the next line behind it")
        << QByteArray("1005 TALK bob 0010 \"") + QByteArray(235, 'a') +
               "1004 WHISPER bob 0010 \"psst\"\r\n"
        << "<TALK bob :>" + QString(235, 'a') + "\u2026\r\n"
        << " bob :(Whispered) psst\r\n"
        << nobody << none;
    QTest::newRow("NUL bytes in names and text, a NUL name leaves like any other")
        << QByteArrayLiteral("1001 USER b\0b 0010 [CHAT]\r\n1005 TALK b\0b 0010 \"x\0y\"\r\n"
                             "1001 USER ann 0010\r\n1003 LEAVE b\0b 0010\r\n")
        << u"<TALK b\u2400b :>x\u2400y\r\n"_s << none << QStringList{"ann "}
        << "You are connected to battle.net in channel: . With 1 users";
}

void tst_ReceivePath::linesReachTheirHandlers()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, chat);
    QFETCH(QString, whispers);
    QFETCH(QStringList, users);
    QFETCH(QString, status);

    QVERIFY(h->settle(bytes));
    QCOMPARE(h->chatLog(), chat + "#1\r\n");
    QCOMPARE(h->whisperLog(), whispers);
    QCOMPARE(h->userList(), users);
    QCOMPARE(h->status(), status);
}

// Join and leave notices go to the log only while switched on; the list follows either way.
void tst_ReceivePath::noticesGoToTheEnd()
{
    h->main->mnuJoinLeave->trigger();
    QVERIFY(h->settle("1018 INFO \"one\"\r\n"));

    h->server.sendRaw("1002 JOIN bob 0010 [CHAT]\r\n1003 LEAVE bob 0010\r\n");
    QTRY_COMPARE(h->userList(), QStringList());
    const QString expected =
        "one\r\n#1\r\nbob  has joined the channel\r\nbob has left the channel\r\n";
    QTRY_COMPARE(h->chatLog(), expected);

    // Switched off: the list still follows, the log stays as it is.
    h->main->mnuJoinLeave->trigger();
    h->server.sendRaw("1002 JOIN ann 0010 [CHAT]\r\n");
    QTRY_COMPARE(h->userList(), QStringList{"ann "});
    QCOMPARE(h->chatLog(), expected);
}

// A line cut by the close is shown as far as it came, marked, before the notice.
void tst_ReceivePath::unfinishedLineAtTheClose()
{
    h->server.sendRaw("1018 INFO \"a\"\r\n1005 TALK bob 0010 \"hal");
    h->server.closeSession();
    QTRY_COMPARE(h->chatLog(), QString("a\r\n<TALK bob :>hal\u2026\r\n"
                                       "Your connect to battle.net has been lost\r\n"));
}

// Nothing grows per line: no undo steps in the logs, no objects left behind.
void tst_ReceivePath::nothingIsKeptPerLine()
{
    h->main->mnuJoinLeave->trigger();
    const QStringList session{"1007 CHANNEL \"Chat\"",
                              "1001 USER ann 0010 [CHAT]",
                              "1002 JOIN bob 0010 [CHAT]",
                              "1005 TALK bob 0010 \"hi\"",
                              "1004 WHISPER bob 0010 \"psst\"",
                              "1023 EMOTE bob 0010 \"waves\"",
                              "1018 INFO \"news\"",
                              "1003 LEAVE bob 0010",
                              "Username: "};
    auto run = [&](int rounds) {
        for (int i = 0; i < rounds; ++i) {
            for (const QString& line : session)
                h->main->DispatchLine(line + QLatin1Char('\r'));
        }
    };
    run(10);
    const qsizetype objects = h->main->findChildren<QObject*>().size();
    run(1000);
    QCOMPARE(h->main->findChildren<QObject*>().size(), objects);
    QCOMPARE(h->userList(), QStringList{"ann "});
    for (LogBox* log : {h->main->TxtGet, h->main->TxtWhisper}) {
        QVERIFY(log->document()->blockCount() > 1000);
        QCOMPARE(log->document()->availableUndoSteps(), 0);
    }
}

QTEST_MAIN(tst_ReceivePath)
#include "tst_receivepath.moc"
