// Sending on a real connection through the one outgoing queue, with a clock the test moves
// on: echoes when a line goes out, the waiting count, long lines split, waiting lines thrown
// away with their connection, nothing but the login before the login, and a burst that a
// server with the stock flood quota takes without a refusal.
#include "ClientHarness.h"
#include "commands/SendQueue.h"
#include "protocol/LogBoxWriters.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/StatusLine.h"
#include "ui/UserListBox.h"
#include "ui/frmAnti.h"
#include "ui/frmConnect.h"
#include "ui/frmMain.h"
#include "ui/frmMenus.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <memory>

namespace {
const QString NotSent = QStringLiteral("Not sent: there is no connection to the server.\r\n");
const QString Lost = QStringLiteral("Your connect to battle.net has been lost");
} // namespace

class tst_Sending : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { h.reset(); }

    void echoWhenSentAndWaitingCount();
    void longLinesSplit_data();
    void longLinesSplit();
    void waitingLinesAndTheConnection_data();
    void waitingLinesAndTheConnection();
    void nothingBeforeTheLogin_data();
    void nothingBeforeTheLogin();
    void burstAndLongMessageReachAnotherUser();

private:
    bool start(bool protocol = false);
    void send(const QString& text);
    void act(const QString& action);

    std::unique_ptr<ClientHarness> h;
    qsizetype loginEnd = 0;
};

// A fresh program logged in as "Bob", its outgoing queue on the test's clock.
bool tst_Sending::start(bool protocol)
{
    h = std::make_unique<ClientHarness>(protocol);
    h->useFakeClock();
    loginEnd = h->logIn("Bob");
    return loginEnd > 0;
}

void tst_Sending::send(const QString& text)
{
    h->main->TxtSend->setText(text);
    h->main->cmdSend->click();
}

// Types "one two three four five six" (or a menu's choice) and sends it by `action`.
void tst_Sending::act(const QString& action)
{
    frmMain* m = h->main;
    m->RoomList->clear();
    m->RoomList->addItems({"Zed", "Ann"});
    m->RoomList->setCurrentRow(1);
    const QString typed = "one two three four five six";
    m->TxtSend->setText(typed);
    if (action == "send")
        m->cmdSend->click();
    else if (action == "whisper")
        m->cmdWhisper->click();
    else if (action == "emote")
        m->mnuEmote->trigger();
    else if (action == "typed whisper")
        send("/w Ann " + typed);
    else if (action == "typed command")
        send("/join a-channel-with-a-long-name");
    else if (action == "kick")
        Forms<frmMenus>::get()->mnuKick->trigger();
    else if (action == "time")
        Forms<frmMenus>::get()->mnuTime->trigger();
    else if (action == "anti-idle") {
        Forms<frmAnti>::get()->txtAntiMessage->setText(typed);
        m->tmrAnti_Timer();
    }
}

// Each line is echoed when it goes out, not when it is queued; the input box is emptied at
// once; the count of waiting lines stands at the right of the status bar, the channel text
// stays.
void tst_Sending::echoWhenSentAndWaitingCount()
{
    QVERIFY(start());
    StatusLine* status = h->main->StatusBar1;
    status->setSimpleText("channel text");
    for (int i = 1; i <= 5; ++i) {
        send(QString("line %1").arg(i));
        QCOMPARE(h->main->TxtSend->text(), QString());
    }
    QCOMPARE(status->rightText(), QString("1 line waiting"));
    send("line 6");
    QCOMPARE(status->rightText(), QString("2 lines waiting"));
    QCOMPARE(status->simpleText(), QString("channel text"));
    QCOMPARE(h->sentSince(loginEnd), QByteArray("line 1\r\nline 2\r\nline 3\r\nline 4\r\n"));
    QCOMPARE(h->chatLog(), QString("Bob: line 1\r\nBob: line 2\r\nBob: line 3\r\nBob: line 4\r\n"));

    const qsizetype firstFour = h->server.received().size();
    h->clock = 5999;
    h->main->outgoing->pump();
    QCOMPARE(h->main->outgoing->waiting(), 2);
    h->clock = 6000;
    h->main->outgoing->pump();
    QVERIFY(h->chatLog().endsWith("Bob: line 4\r\nBob: line 5\r\nBob: line 6\r\n"));
    QCOMPARE(status->rightText(), QString());
    QCOMPARE(h->sentSince(firstFour), QByteArray("line 5\r\nline 6\r\n"));
}

// The protection is off here (the lines go at once) and the longest line is 20 bytes: long
// lines are split all the same, each piece with its prefix and its own echo.
void tst_Sending::longLinesSplit_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<QString>("chatLog");
    QTest::addColumn<QString>("whisperLog");

    QTest::newRow("send") << "send" << QByteArray("one two three four\r\nfive six\r\n")
                          << "Bob: one two three four\r\nBob: five six\r\n"
                          << "";
    QTest::newRow("whisper") << "whisper"
                             << QByteArray("/w Ann one two three\r\n/w Ann four five six\r\n") << ""
                             << "To <Ann> one two three\r\nTo <Ann> four five six\r\n";
    QTest::newRow("emote") << "emote"
                           << QByteArray("/emote one two three\r\n/emote four five six\r\n")
                           << "<Bob one two three>\r\n<Bob four five six>\r\n"
                           << "";
    QTest::newRow("whisper typed as a command")
        << "typed whisper" << QByteArray("/w Ann one two three\r\n/w Ann four five six\r\n")
        << "Bob: /w Ann one two three\r\nBob: /w Ann four five six\r\n"
        << "";
    QTest::newRow("another command is never split")
        << "typed command" << QByteArray("/join a-channel-with-a-long-name\r\n")
        << "Bob: /join a-channel-with-a-long-name\r\n"
        << "";
    QTest::newRow("anti-idle") << "anti-idle"
                               << QByteArray("/me one two three\r\n/me four five six\r\n") << ""
                               << "";
}

void tst_Sending::longLinesSplit()
{
    QFETCH(QString, action);
    QFETCH(QByteArray, wire);
    QFETCH(QString, chatLog);
    QFETCH(QString, whisperLog);

    QVERIFY(start());
    FloodLimits limits;
    limits.longestLine = 20;
    limits.enabled = false;
    h->main->outgoing->setLimits(limits);
    act(action);
    QCOMPARE(h->sentSince(loginEnd), wire);
    QCOMPARE(h->chatLog(), chatLog);
    QCOMPARE(h->whisperLog(), whisperLog);
}

// Six lines: four go, two wait. What becomes of the two.
void tst_Sending::waitingLinesAndTheConnection_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("chatLogEnd");

    const QString two = "Not sent: 2 lines that were still waiting.\r\n";
    QTest::newRow("disconnect") << "disconnect" << two + Lost;
    QTest::newRow("connection lost") << "lost" << Lost + "\r\n" + two;
    QTest::newRow("new connection") << "connect" << two;
    QTest::newRow("exit") << "exit"
                          << "l4\r\n";
}

void tst_Sending::waitingLinesAndTheConnection()
{
    QFETCH(QString, how);
    QFETCH(QString, chatLogEnd);

    QVERIFY(start());
    for (int i = 1; i <= 6; ++i)
        QVERIFY(h->main->SendLine(QString("l%1").arg(i), [this, i] {
            AppendLine(h->main->TxtGet, QString("l%1").arg(i));
        }));
    QCOMPARE(h->main->outgoing->waiting(), 2);
    if (how == "disconnect")
        h->main->mnuDisconnect->trigger();
    else if (how == "lost")
        h->server.closeSession();
    else if (how == "connect")
        h->main->mnuConnect_Click();
    else
        h->main->mnuExit_Click();
    QTRY_VERIFY2(h->chatLog().endsWith(chatLogEnd), qPrintable(h->chatLog()));
    QCOMPARE(h->main->outgoing->waiting(), 0);
    QCOMPARE(h->main->StatusBar1->rightText(), QString());

    h->clock += 60000;
    h->main->outgoing->pump();
    QCoreApplication::processEvents();
    QVERIFY(!h->server.received(0).contains("l5"));
    QVERIFY(h->chatLog().startsWith("l1\r\nl2\r\nl3\r\nl4\r\n"));
    QVERIFY(!h->chatLog().contains("l5"));
}

// Before the login has been written nothing else goes out: whatever is chosen while the
// connection is being made or the dialog is open, the login is what the server gets first.
void tst_Sending::nothingBeforeTheLogin_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("connected"); // the connection is made (the dialog still open)

    for (const char* action : {"send", "whisper", "emote", "kick", "time", "anti-idle"}) {
        QTest::newRow(qPrintable(QString("%1, connecting").arg(action))) << action << false;
        QTest::newRow(qPrintable(QString("%1, connected").arg(action))) << action << true;
    }
}

void tst_Sending::nothingBeforeTheLogin()
{
    QFETCH(QString, action);
    QFETCH(bool, connected);

    h = std::make_unique<ClientHarness>(true); // closes on anything but the login first
    storeSetting(ConfigurationKey::Server, h->serverAddress());
    h->main->mnuConnect->trigger();
    h->main->setOnlineControls(true); // as if the buttons were there to be pressed
    if (connected)
        QTRY_COMPARE(h->server.sessionCount(), 1);
    act(action);
    QVERIFY(h->chatLog().endsWith(NotSent));
    QCOMPARE(h->main->TxtSend->text(), QString("one two three four five six"));
    QCOMPARE(h->main->outgoing->waiting(), 0);

    frmConnect* dialog = Forms<frmConnect>::get();
    dialog->UserNamet->setText("Bob");
    dialog->cmdConnect->click();
    QTRY_COMPARE(h->server.sessionUser(), QString("Bob"));
    QVERIFY(h->server.received().startsWith("\x03\x04\r\n\r\nBob\r\n"));
}

// A server with the stock flood quota, on the same clock: twelve lines typed at once and a
// message of 500 characters all reach another user, whole and in order, without a refusal.
void tst_Sending::burstAndLongMessageReachAnotherUser()
{
    h = std::make_unique<ClientHarness>(true);
    h->useFakeClock();
    h->server.setClock([this] { return 1000 + h->clock / 1000; });
    QVERIFY(h->server.addVirtualUser("carol"));
    loginEnd = h->logIn("Bob");
    QVERIFY(loginEnd > 0);
    QTRY_VERIFY(h->userList().contains("carol "));

    QStringList expected;
    for (int i = 1; i <= 12; ++i)
        expected << QString("quick %1").arg(i);
    QStringList words;
    while (words.join(' ').size() < 500)
        words << QString("word%1").arg(words.size());
    const QString message = words.join(' ').left(500);
    for (const QString& text : expected + QStringList{message})
        send(text);

    // Time moves on in quarter seconds; each time the server has read what was written
    // before it moves again.
    const auto written = [this] {
        qsizetype bytes = loginEnd;
        for (const QString& line : h->chatLog().split("\r\n")) {
            if (line.startsWith("Bob: "))
                bytes += line.mid(5).toUtf8().size() + 2;
        }
        return bytes;
    };
    for (int step = 0; step < 400 && h->main->outgoing->waiting() > 0; ++step) {
        h->clock += 250;
        h->main->outgoing->pump();
        QTRY_COMPARE(h->server.received().size(), written());
    }
    QCOMPARE(h->main->outgoing->waiting(), 0);
    QVERIFY(h->clock < 60000);
    QVERIFY(h->server.isSessionOpen());

    QTRY_VERIFY(h->server.virtualUserReceived("carol").count("1005 TALK Bob ") > 12);
    QStringList heard;
    for (const QByteArray& line : h->server.virtualUserReceived("carol").split('\n')) {
        if (line.startsWith("1005 TALK Bob 0010 \""))
            heard << QString::fromUtf8(line.mid(20).chopped(2)); // without quote and CR
    }
    QCOMPARE(heard.mid(0, 12), expected);
    QVERIFY(heard.size() > 13); // the message came in pieces
    QCOMPARE(heard.mid(12).join(' '), message);
    QVERIFY(!h->chatLog().contains("quota"));
}

QTEST_MAIN(tst_Sending)
#include "tst_sending.moc"
