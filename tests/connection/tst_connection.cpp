// Connecting and logging in through File > Connect and the dialog, and the states after.
#include "ClientHarness.h"

#include "connection/ServerAddress.h"
#include "platform/ChatSocket.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/frmConnect.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>

#include <memory>

namespace {
const QByteArray LoginStart("\x03\x04\r\n\r\n");
const QString LostNotice("Your connect to battle.net has been lost");
} // namespace

class tst_Connection : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { h.reset(); }

    void dialogOpenedAndLeft_data();
    void dialogOpenedAndLeft();
    void loginFields_data();
    void loginFields();
    void sessionWithAChosenServer();
    void refusedLoginEndsTheLogin();
    void failedAttemptIsReportedOnceChosen_data();
    void failedAttemptIsReportedOnceChosen();

private:
    frmConnect* openDialog();

    std::unique_ptr<ClientHarness> h;
};

void tst_Connection::init()
{
    h = std::make_unique<ClientHarness>(false);
    storeSetting(ConfigurationKey::Server, h->serverAddress());
}

frmConnect* tst_Connection::openDialog()
{
    h->main->mnuConnect->trigger();
    return Forms<frmConnect>::get();
}

// A first run: File > Connect opens the connection and the dialog with the defaults. Left by
// Cancel or its frame, it stores nothing and the connection stays open without a login.
void tst_Connection::dialogOpenedAndLeft_data()
{
    QTest::addColumn<bool>("throughFrame");
    QTest::newRow("Cancel") << false;
    QTest::newRow("frame") << true;
}

void tst_Connection::dialogOpenedAndLeft()
{
    QFETCH(bool, throughFrame);
    frmConnect* dialog = openDialog();
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->UserNamet->text(), QString("Guest"));
    QCOMPARE(dialog->Passwordt->text(), QString("tulip"));
    QCOMPARE(dialog->txtChannel->text(), QString("KxVantrik Chat-1"));
    QCOMPARE(dialog->cmdServer->currentText(), h->serverAddress());
    QVERIFY(h->main->mnuConnect->isEnabled());
    QVERIFY(!h->main->mnuDisconnect->isEnabled());
    // No field ever holds a line break.
    for (QLineEdit* field : {dialog->UserNamet, dialog->Passwordt, dialog->txtChannel,
                             dialog->cmdServer->lineEdit()}) {
        field->setText("a\r\nb\nc");
        QCOMPARE(field->text(), QString("a  b c"));
    }
    dialog->UserNamet->clear();
    dialog->UserNamet->insert("x\ny");
    QCOMPARE(dialog->UserNamet->text(), QString("x y"));

    // File > Connect again starts afresh: the same dialog, a new connection; the old one's
    // unfinished line is gone with it.
    QTRY_COMPARE(h->server.sessionCount(), 1);
    // The whole line in the same write is the marker that the half line has arrived.
    h->server.sendRaw("1018 INFO \"whole\"\r\n1018 INFO \"half a li");
    QTRY_COMPARE(h->chatLog(), QString("whole\r\n"));
    QCOMPARE(openDialog(), dialog);
    QTRY_COMPARE(h->server.sessionCount(), 2);
    QTRY_VERIFY(!h->server.isSessionOpen(0));
    h->server.sendRaw("ne\"\r\n1018 INFO \"fresh\"\r\n");
    QTRY_COMPARE(h->chatLog(), QString("whole\r\nne\"\r\nfresh\r\n"));

    throughFrame ? void(dialog->close()) : QTest::mouseClick(dialog->cmdCancel, Qt::LeftButton);
    QVERIFY(!Forms<frmConnect>::isLoaded());
    QCOMPARE(readSetting(ConfigurationKey::Username, "unset"), QString("unset"));
    QVERIFY(h->main->mnuConnect->isEnabled());
    QVERIFY(!h->main->mnuDisconnect->isEnabled());
    QCOMPARE(h->main->connection().state(), ChatSocket::State::Connected);
    QVERIFY(h->server.isSessionOpen());
    QCOMPARE(h->server.received(), QByteArray());
}

// What the dialog sends and stores for the fields typed, or the message refusing them.
void tst_Connection::loginFields_data()
{
    QTest::addColumn<QString>("user");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("server"); // empty: the stored one
    QTest::addColumn<QByteArray>("sent");
    QTest::addColumn<QString>("message"); // empty: accepted
    auto row = [](const char* name, const char* user, const char* password, const char* server,
                  const QByteArray& sent, const char* message) {
        QTest::newRow(name) << QString(user) << QString(password) << QString(server) << sent
                            << QString(message);
    };
    row("blanks kept", " bob ", " pw ", "", LoginStart + " bob \r\n pw \r\n", "");
    row("Anonymous without password", "Anonymous", "", "", LoginStart + "Anonymous\r\n\r\n", "");
    row("non-ASCII as UTF-8", "j\u00fcrgen", "\u20ac", "",
        LoginStart + "j\xc3\xbcrgen\r\n\xe2\x82\xac\r\n", "");
    const char* noName = "Must Enter a Username to Login";
    const char* noPassword = "Must Enter a Password to Login";
    row("no name, no password", "", "", "", "", noName);
    row("no name", "", "pw", "", "", noName);
    row("capital GUEST needs a password", "GUEST", "", "", "", noPassword);
    row("ordinary name needs a password", "bob", "", "", "", noPassword);
    row("unusable server", "bob", "pw", "host:99999", "",
        "Must Enter a Server (host or host:port) to Login");
}

void tst_Connection::loginFields()
{
    QFETCH(QString, user);
    QFETCH(QString, password);
    QFETCH(QString, server);
    QFETCH(QByteArray, sent);
    QFETCH(QString, message);
    storeSetting(ConfigurationKey::Username, "earlier");
    h->submitLogin(user, password, " Home Room ", server.isEmpty() ? QString() : server);

    if (message.isEmpty()) {
        QTRY_COMPARE(h->server.received(), sent);
        QVERIFY(!Forms<frmConnect>::isLoaded());
        QVERIFY(h->messages.isEmpty());
        QCOMPARE(readSetting(ConfigurationKey::Username, "x"), user);
        QCOMPARE(readSetting(ConfigurationKey::Password, "x"), password);
        QCOMPARE(readSetting(ConfigurationKey::HomeChannel, "x"), QString(" Home Room "));
        QCOMPARE(readSetting(ConfigurationKey::Server, "x"), h->serverAddress());
    } else {
        QCOMPARE(h->messages.size(), 1);
        QCOMPARE(h->messages[0].text, message);
        QCOMPARE(h->messages[0].title, h->main->windowTitle());
        QCOMPARE(h->messages[0].icon, WindowSystem::MessageIcon::None);
        QVERIFY(Forms<frmConnect>::get()->isVisible());
        QCOMPARE(Forms<frmConnect>::get()->UserNamet->text(), user);
        QCOMPARE(readSetting(ConfigurationKey::Username, "x"), QString("earlier"));
        QVERIFY(h->main->mnuConnect->isEnabled());
        QVERIFY(!h->main->cmdSend->isEnabled());
    }
    // The home channel is remembered, never sent: nothing follows the password line.
    QCOMPARE(h->sentSince(0), sent);
}

// A server chosen in the dialog: the online controls change together, Disconnect's notice
// goes to the end and no channel stays shown, and the server is remembered.
void tst_Connection::sessionWithAChosenServer()
{
    auto online = [this] {
        const bool on = h->main->cmdSend->isEnabled();
        for (QObject* control : std::initializer_list<QObject*>{
                 h->main->cmdWhisper, h->main->mnuSend, h->main->mnuEmote, h->main->mnuWhisper,
                 h->main->mnuDisconnect, h->main->mnuAntiDisplay})
            if (control->property("enabled").toBool() != on)
                return QString("mixed");
        if (h->main->mnuConnect->isEnabled() == on)
            return QString("mixed");
        return on ? QString("online") : QString("idle");
    };
    ChatGatewayServer other;
    other.setProtocolEnabled(false);
    QVERIFY(other.listen());
    const QString otherAddress = QString("127.0.0.1:%1").arg(other.serverPort());

    QCOMPARE(online(), QString("idle"));
    h->submitLogin("bob", "pw", {}, otherAddress);
    QCOMPARE(online(), QString("online"));
    QTRY_COMPARE(other.received(), LoginStart + "bob\r\npw\r\n");
    QTRY_VERIFY(!h->server.isSessionOpen());
    QCOMPARE(h->server.received(0), QByteArray());
    QCOMPARE(readSetting(ConfigurationKey::Server, "x"), otherAddress);

    other.sendRaw("1007 CHANNEL \"Chat\"\r\n1001 USER bob 0010 [CHAT]\r\n1018 INFO \"hello\"\r\n");
    QTRY_COMPARE(h->userList(), QStringList{"bob "});
    // The caret stands after "hel": the notice goes to the end all the same, without a line
    // break, and the caret stays.
    QTextCursor caret = h->main->TxtGet->textCursor();
    caret.setPosition(3);
    h->main->TxtGet->setTextCursor(caret);
    h->main->mnuDisconnect->trigger();
    QCOMPARE(h->chatLog(), "hello\r\n" + LostNotice);
    QCOMPARE(h->main->TxtGet->textCursor().position(), 3);
    QCOMPARE(online(), QString("idle"));
    QCOMPARE(h->userList(), QStringList());
    QCOMPARE(h->status(), QString("Not connected."));
    QTRY_VERIFY(!other.isSessionOpen());

    openDialog();
    QTRY_COMPARE(other.sessionCount(), 2);
    QCOMPARE(h->server.sessionCount(), 1);
}

// "Login failed.": offline at once, nothing more sent, the connection closed, and the dialog
// back as typed, ready for another password.
void tst_Connection::refusedLoginEndsTheLogin()
{
    h->server.setProtocolEnabled(true);
    h->server.setAccounts({{"bob", "right"}});
    h->submitLogin("bob", "wrong", " Home ");
    QTRY_VERIFY(h->chatLog().endsWith("Login failed.\r\n"));
    QVERIFY(!h->main->cmdSend->isEnabled() && h->main->mnuConnect->isEnabled());
    QCOMPARE(h->status(), QString("Not connected: the login failed."));
    h->main->TxtSend->setText("hello");
    QTest::keyClick(h->main->TxtSend, Qt::Key_Return);
    QTRY_VERIFY(!h->server.isSessionOpen());
    QCOMPARE(h->server.received(), LoginStart + "bob\r\nwrong\r\n");
    QVERIFY(!h->chatLog().contains("hello"));

    frmConnect* dialog = Forms<frmConnect>::get();
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->UserNamet->text(), QString("bob"));
    QCOMPARE(dialog->Passwordt->text(), QString("wrong"));
    QCOMPARE(dialog->txtChannel->text(), QString(" Home "));
    QCOMPARE(dialog->cmdServer->currentText(), h->serverAddress());
    QCOMPARE(dialog->focusWidget(), dialog->Passwordt);
    dialog->Passwordt->setText("right");
    dialog->cmdConnect->click();
    QTRY_COMPARE(h->server.sessionUser(), QString("bob"));
    QVERIFY(h->main->cmdSend->isEnabled());
}

void tst_Connection::failedAttemptIsReportedOnceChosen_data()
{
    QTest::addColumn<QString>("server");
    QTest::addColumn<QString>("report");
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const quint16 freePort = closed.serverPort();
    closed.close();
    QTest::newRow("refused") << QString("127.0.0.1:%1").arg(freePort)
                             << QString("Could not connect to 127.0.0.1 (port %1): the server "
                                        "refused the connection.")
                                    .arg(freePort);
    QTest::newRow("unknown name") << "nowhere.invalid"
                                  << "Could not connect to nowhere.invalid (port 6112): the "
                                     "server's name could not be found.";
}

void tst_Connection::failedAttemptIsReportedOnceChosen()
{
    QFETCH(QString, server);
    QFETCH(QString, report);
    storeSetting(ConfigurationKey::Server, server);
    auto attemptEnded = [this] {
        return QTest::qWaitFor(
            [this] { return h->main->connection().state() == ChatSocket::State::Closed; }, 20000);
    };
    // File > Connect's own attempt fails while the user is still choosing a server: the
    // chat log stays quiet.
    frmConnect* dialog = openDialog();
    QVERIFY(attemptEnded());
    QVERIFY(h->handlePostedEvents());
    QCOMPARE(h->chatLog(), QString());
    QVERIFY(Forms<frmConnect>::isLoaded() && dialog->isVisible());
    QVERIFY(h->main->mnuConnect->isEnabled());

    // Logging in from the dialog tries again, and that failure is reported.
    dialog->cmdConnect->click();
    QVERIFY(h->main->cmdSend->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(h->chatLog() == report + "\r\n", 20000);
    QVERIFY(!h->main->cmdSend->isEnabled());
    QVERIFY(h->main->mnuConnect->isEnabled());

    // And a good server from the dialog works, with no false alarm before it.
    dialog = openDialog();
    QVERIFY(attemptEnded());
    dialog->cmdServer->setEditText(h->serverAddress());
    dialog->cmdConnect->click();
    QTRY_COMPARE(h->server.received(), LoginStart + "Guest\r\ntulip\r\n");
    QCOMPARE(h->chatLog(), report + "\r\n");
}

QTEST_MAIN(tst_Connection)
#include "tst_connection.moc"
