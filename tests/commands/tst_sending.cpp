// Sending through the outgoing queue on a test clock: echoes, the waiting count, waiting lines
// and their connection, nothing before the login, a burst under the stock flood quota, and
// the dialog that sets the limits.
#include "ClientHarness.h"
#include "commands/SendQueue.h"
#include "platform/ChatSocket.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/StatusLine.h"
#include "ui/UserListBox.h"
#include "ui/frmAnti.h"
#include "ui/frmConnect.h"
#include "ui/frmFlood.h"
#include "ui/frmMain.h"
#include "ui/frmMenus.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include <memory>

namespace {
const QString NotSent = QStringLiteral("Not sent: there is no connection to the server.\r\n");
const QString Lost = QStringLiteral("Your connect to battle.net has been lost");

namespace CK = ConfigurationKey;
const char* const FloodKeys[] = {CK::FloodWrapBytes, CK::FloodUnits, CK::FloodWindowSeconds,
                                 CK::FloodLongestLine, CK::FloodProtection};

QStringList storedFloodLimits()
{
    QStringList values;
    for (const char* key : FloodKeys)
        values << readSetting(key, "-");
    return values;
}

QStringList fieldsOf(const frmFlood* dialog)
{
    return {dialog->txtWrapBytes->text(), dialog->txtUnits->text(),
            dialog->txtWindowSeconds->text(), dialog->txtLongestLine->text(),
            dialog->chkProtect->isChecked() ? "1" : "0"};
}
} // namespace

class tst_Sending : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { h.reset(); }

    void waitingLines_data();
    void waitingLines();
    void nothingBeforeTheLogin_data();
    void nothingBeforeTheLogin();
    void burstAndLongMessageReachAnotherUser();
    void floodSettingsDialog_data();
    void floodSettingsDialog();

private:
    bool start();
    void act(const QString& action);

    std::unique_ptr<ClientHarness> h;
    qsizetype loginEnd = 0;
};

// A fresh program logged in as "Bob", its outgoing queue on the test's clock.
bool tst_Sending::start()
{
    h = std::make_unique<ClientHarness>(false);
    h->useFakeClock();
    loginEnd = h->logIn("Bob");
    return loginEnd > 0;
}

// Types "one two three four five six" (or a menu's choice) and sends it by `action`.
void tst_Sending::act(const QString& action)
{
    frmMain* m = h->main;
    m->RoomList->addItems({"Zed", "Ann"});
    m->RoomList->setCurrentRow(1);
    const QString typed = "one two three four five six";
    m->TxtSend->setText(typed);
    if (action == "send")
        m->cmdSend->click();
    else if (action == "whisper")
        m->cmdWhisper->click();
    else if (action == "kick")
        Forms<frmMenus>::get()->mnuKick->trigger();
    else if (action == "anti-idle") {
        Forms<frmAnti>::get()->txtAntiMessage->setText(typed);
        m->tmrAnti_Timer();
    }
}

// Six lines at once: four go, echoed as they go; two wait, counted in the status bar.
void tst_Sending::waitingLines_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("chatLogEnd");

    const QString two = "Not sent: 2 lines that were still waiting.\r\n";
    QTest::newRow("sent when there is room") << "time"
                                             << "Bob: l4\r\nBob: l5\r\nBob: l6\r\n";
    QTest::newRow("disconnect") << "disconnect" << two + Lost;
    QTest::newRow("connection lost") << "lost" << Lost + "\r\n" + two;
    QTest::newRow("new connection") << "connect" << two;
    QTest::newRow("exit") << "exit"
                          << "Bob: l4\r\n";
}

void tst_Sending::waitingLines()
{
    QFETCH(QString, how);
    QFETCH(QString, chatLogEnd);

    QVERIFY(start());
    StatusLine* status = h->main->StatusBar1;
    status->setSimpleText("channel text");
    for (int i = 1; i <= 6; ++i) {
        h->main->TxtSend->setText(QString("l%1").arg(i));
        h->main->cmdSend->click();
        if (i == 5)
            QCOMPARE(status->rightText(), QString("1 line waiting"));
    }
    QCOMPARE(status->rightText(), QString("2 lines waiting"));
    QCOMPARE(status->simpleText(), QString("channel text"));
    QCOMPARE(h->sentSince(loginEnd), QByteArray("l1\r\nl2\r\nl3\r\nl4\r\n"));
    QCOMPARE(h->chatLog(), QString("Bob: l1\r\nBob: l2\r\nBob: l3\r\nBob: l4\r\n"));
    const qsizetype firstFour = h->server.received().size();

    if (how == "time")
        h->clock = 6000; // the first line drops out of the window and its margin
    else if (how == "disconnect")
        h->main->mnuDisconnect->trigger();
    else if (how == "lost")
        h->server.closeSession();
    else if (how == "connect")
        h->main->mnuConnect_Click();
    else
        h->main->mnuExit_Click();
    h->main->sendDueLines();
    QTRY_VERIFY2(h->chatLog().endsWith(chatLogEnd), qPrintable(h->chatLog()));
    QCOMPARE(h->main->sendQueue().waiting(), 0);
    QCOMPARE(status->rightText(), QString());
    if (how == "time") {
        QCOMPARE(h->sentSince(firstFour), QByteArray("l5\r\nl6\r\n"));
        return;
    }
    h->clock += 60000;
    h->main->sendDueLines();
    QCoreApplication::processEvents();
    QVERIFY(!h->server.received(0).contains("l5"));
    QVERIFY(!h->chatLog().contains("l5"));
}

// Whatever is chosen while connecting or with the dialog open, the login goes out first.
void tst_Sending::nothingBeforeTheLogin_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("connected"); // the connection is made (the dialog still open)

    for (const char* action : {"send", "whisper", "kick", "anti-idle"}) {
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
    else
        QCOMPARE(h->main->connection().state(), ChatSocket::State::Connecting);
    h->main->TxtGet->setPlainText("open"); // the notice still gets a line of its own
    act(action);
    QCOMPARE(h->chatLog(), "open\r\n" + NotSent);
    QCOMPARE(h->main->TxtSend->text(), QString("one two three four five six"));
    QCOMPARE(h->main->sendQueue().waiting(), 0);

    frmConnect* dialog = Forms<frmConnect>::get();
    dialog->UserNamet->setText("Bob");
    dialog->cmdConnect->click();
    QTRY_COMPARE(h->server.sessionUser(), QString("Bob"));
    QVERIFY(h->server.received().startsWith("\x03\x04\r\n\r\nBob\r\n"));
    QCOMPARE(h->server.sessionCount(), 1);
}

// Under the stock flood quota twelve lines and a 500-character message reach another user
// whole and in order; so does one that a cut at its last blank would turn into "/logout".
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
    for (const QString& text : expected + QStringList{message}) {
        h->main->TxtSend->setText(text);
        h->main->cmdSend->click();
    }

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
    for (int step = 0; step < 400 && h->main->sendQueue().waiting() > 0; ++step) {
        h->clock += 250;
        h->main->sendDueLines();
        QTRY_COMPARE(h->server.received().size(), written());
    }
    QCOMPARE(h->main->sendQueue().waiting(), 0);
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

    // A long message with a command behind its last blank arrives as talk, and the user stays.
    const QString logout = QString(155, 'x') + " /logout see you";
    h->main->TxtSend->setText(logout);
    h->main->cmdSend->click();
    for (int step = 0; step < 100 && h->main->sendQueue().waiting() > 0; ++step) {
        h->clock += 250;
        h->main->sendDueLines();
        QTRY_COMPARE(h->server.received().size(), written());
    }
    QTRY_VERIFY(h->server.virtualUserReceived("carol").contains("out see you\"\r\n"));
    heard.clear();
    for (const QByteArray& line : h->server.virtualUserReceived("carol").split('\n')) {
        if (line.startsWith("1005 TALK Bob 0010 \""))
            heard << QString::fromUtf8(line.mid(20).chopped(2));
    }
    QCOMPARE(heard.mid(heard.size() - 2).join(QString()), logout);
    QVERIFY(h->server.isSessionOpen());
    QVERIFY(!h->server.virtualUserReceived("carol").contains("1003 LEAVE Bob"));
}

// The dialog opens on the stored limits (else the defaults); OK stores and applies them or
// refuses with a message; Cancel, Escape and the frame store nothing. Fields: wrap, units,
// window, longest, switch; "-": nothing stored.
void tst_Sending::floodSettingsDialog_data()
{
    QTest::addColumn<QStringList>("stored");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("message"); // empty: no message

    const auto row = [](const char* name, const QStringList& stored, const QStringList& shown,
                        const QStringList& typed, const char* how, const QString& message) {
        QTest::newRow(name) << stored << shown << typed << QString(how) << message;
    };
    const QStringList none(5, "-");
    const QStringList defaults{"40", "5", "5", "160", "1"};
    const QStringList earlier{"60", "3", "10", "120", "0"};
    const QStringList changed{"50", "4", "10", "150", "1"};
    row("nothing stored, changed", none, defaults, changed, "ok", "");
    row("longer than the units allow", earlier, earlier, {"40", "5", "5", "200", "1"}, "ok",
        "With 40 bytes per unit and 5 units, the longest line can be at most 160 bytes: a "
        "longer line would cost 5 units or more, and the server would refuse it every time.");
    row("nonsense stored, cancelled", {"50", "many", "10", "150", "0"}, defaults, changed, "cancel",
        "");
    row("closed by its frame", none, defaults, changed, "frame", "");
    row("escape", none, defaults, changed, "escape", "");
    row("typed: only digits are taken", none, defaults, {"5a0", "-4", "1e0", "15 0", "1"}, "keys",
        "");
}

void tst_Sending::floodSettingsDialog()
{
    QFETCH(QStringList, stored);
    QFETCH(QStringList, shown);
    QFETCH(QStringList, typed);
    QFETCH(QString, how);
    QFETCH(QString, message);

    h = std::make_unique<ClientHarness>(false);
    for (int i = 0; i < stored.size(); ++i) {
        if (stored[i] != "-")
            storeSetting(FloodKeys[i], stored[i]);
    }
    h->main->mnuFlood->trigger();
    frmFlood* dialog = Forms<frmFlood>::get();
    QVERIFY(dialog->isVisible());
    QCOMPARE(fieldsOf(dialog), shown);
    QLineEdit* boxes[] = {dialog->txtWrapBytes, dialog->txtUnits, dialog->txtWindowSeconds,
                          dialog->txtLongestLine};
    for (int i = 0; i < 4; ++i) {
        boxes[i]->clear();
        if (how == "keys")
            QTest::keyClicks(boxes[i], typed[i]);
        else
            boxes[i]->setText(typed[i]);
        typed[i].remove(QRegularExpression("[^0-9]"));
    }
    dialog->chkProtect->setChecked(typed[4] == "1");
    if (how == "ok" || how == "keys")
        QTest::keyClick(dialog->txtLongestLine, Qt::Key_Return);
    else if (how == "cancel")
        dialog->cmdCancel->click();
    else if (how == "escape")
        QTest::keyClick(dialog->txtUnits, Qt::Key_Escape);
    else
        dialog->close();

    QCOMPARE(h->messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty()) {
        QCOMPARE(h->messages[0].text, message);
        QVERIFY(dialog->isVisible());
        QCOMPARE(fieldsOf(dialog), typed);
    } else {
        QVERIFY(!Forms<frmFlood>::isLoaded());
    }
    const bool stores = (how == "ok" || how == "keys") && message.isEmpty();
    QCOMPARE(storedFloodLimits(), stores ? typed : stored);
    // In force at once; otherwise the limits the window was loaded with stay.
    QCOMPARE(h->main->sendQueue().limits().longestLine, stores ? typed[3].toInt() : 160);
}

QTEST_MAIN(tst_Sending)
#include "tst_sending.moc"
