// Talking and the pop-up commands against a recording server: the exact bytes on the wire,
// the echoes, and the cases in which nothing may go out.
#include "ClientHarness.h"
#include "platform/ChatSocket.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/UserListBox.h"
#include "ui/frmAnti.h"
#include "ui/frmConnect.h"
#include "ui/frmMain.h"
#include "ui/frmMenus.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {
const QString NotSent = QStringLiteral("Not sent: there is no connection to the server.\r\n");

// Chooses the item reached through the captions of `path` (a submenu's caption first).
void choose(QMenu* menu, const QStringList& path)
{
    for (const QString& caption : path) {
        for (QAction* action : menu->actions()) {
            if (action->text() == caption) {
                if (action->menu())
                    menu = action->menu();
                else
                    action->trigger();
                break;
            }
        }
    }
}
} // namespace

class tst_Commands : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void talk_data();
    void talk();
    void echoLandsAtCaret_data();
    void echoLandsAtCaret();
    void echoNameFromConnectDialog();
    void popupCommands_data();
    void popupCommands();
    void onlyRightPressOpensMenu_data();
    void onlyRightPressOpensMenu();
    void chatLogAroundItsMenu_data();
    void chatLogAroundItsMenu();

private:
    void press(QWidget* where, Qt::MouseButton button, const QStringList& choice,
               Qt::KeyboardModifiers modifiers = {}, QPoint at = {5, 5});

    std::unique_ptr<ClientHarness> h;
    qsizetype loginEnd = 0; // lines may only be sent after a login
    QMenu* shownMenu = nullptr;
    bool logEnabledInMenu = true;
};

void tst_Commands::init()
{
    h = std::make_unique<ClientHarness>(false);
    Forms<frmConnect>::get()->UserNamet->setText("Bob");
    h->main->show();
    h->main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h->main));
    shownMenu = nullptr;
}

void tst_Commands::cleanup()
{
    h.reset();
}

// Presses a mouse button on `where`; a pop-up that opens gets `choice` and is then closed.
void tst_Commands::press(QWidget* where, Qt::MouseButton button, const QStringList& choice,
                         Qt::KeyboardModifiers modifiers, QPoint at)
{
    QTimer::singleShot(0, this, [this, choice] {
        shownMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        logEnabledInMenu = h->main->TxtGet->isEnabled();
        if (shownMenu)
            choose(shownMenu, choice);
        if (QApplication::activePopupWidget())
            QApplication::activePopupWidget()->close();
    });
    QTest::mouseClick(where, button, modifiers, at);
    QCoreApplication::processEvents(); // the single shot, when no menu ran its own loop
}

// `selected` is the selected item of the list {"Zed", selected}; "" leaves the list
// {"Zed", "Ann"} with nothing selected. Refused without a notice in the log means a beep.
void tst_Commands::talk_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<bool>("connected");
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<QString>("chatLog");
    QTest::addColumn<QString>("whisperLog");

    auto row = [](const char* name, const char* op, const QString& input, const char* selected,
                  bool connected, const QByteArray& wire, const QString& chat,
                  const QString& whisper) {
        QTest::newRow(name) << op << input << selected << connected << wire << chat << whisper;
    };
    row("send", "button", "hello", "Ann", true, "hello\r\n", "Bob: hello\r\n", "");
    row("send by enter", "enter", "hello", "Ann", true, "hello\r\n", "Bob: hello\r\n", "");
    row("send text menu", "send menu", "hi", "Ann", true, "hi\r\n", "Bob: hi\r\n", "");
    row("one blank", "button", " ", "Ann", true, " \r\n", "Bob:  \r\n", "");
    row("utf-8", "button", "caf\u00e9", "Ann", true, "caf\xc3\xa9\r\n", "Bob: caf\u00e9\r\n", "");
    row("pasted breaks", "button", "a\r\nb\nc", "Ann", true, "a  b c\r\n", "Bob: a  b c\r\n", "");
    row("whisper", "whisper", "hi", "Ann", true, "/w Ann hi\r\n", "", "To <Ann> hi\r\n");
    row("whisper menu", "whisper menu", "hi", "Ann", true, "/w Ann hi\r\n", "", "To <Ann> hi\r\n");
    row("item's blank kept", "whisper", "hi", "Ann ", true, "/w Ann  hi\r\n", "",
        "To <Ann > hi\r\n");
    row("whisper empty", "whisper", "", "Ann", true, "/w Ann \r\n", "", "To <Ann> \r\n");
    row("break in item", "whisper", "hi", "Ann\r\n/ban x", true, "/w Ann  /ban x hi\r\n", "",
        "To <Ann  /ban x> hi\r\n");
    row("emote", "emote", "waves", "Ann", true, "/emote waves\r\n", "<Bob waves>\r\n", "");
    row("emote empty", "emote", "", "Ann", true, "/emote \r\n", "<Bob >\r\n", "");
    row("empty send", "button", "", "Ann", true, "", "", "");
    row("empty send by enter", "enter", "", "Ann", true, "", "", "");
    row("whisper to nobody", "whisper", "hi", "", true, "", "", "");
    row("send unconnected", "button", "hi", "Ann", false, "", NotSent, "");
    row("whisper unconnected", "whisper", "hi", "Ann", false, "", NotSent, "");
    row("emote unconnected", "emote", "hi", "Ann", false, "", NotSent, "");
}

void tst_Commands::talk()
{
    QFETCH(QString, operation);
    QFETCH(QString, input);
    QFETCH(QString, selected);
    QFETCH(bool, connected);
    QFETCH(QByteArray, wire);
    QFETCH(QString, chatLog);
    QFETCH(QString, whisperLog);

    frmMain* m = h->main;
    if (connected)
        QVERIFY((loginEnd = h->logIn("Bob")) > 0);
    m->setOnlineControls(true);
    m->RoomList->addItems({"Zed", selected.isEmpty() ? QString("Ann") : selected});
    if (!selected.isEmpty())
        m->RoomList->setCurrentRow(1);
    m->TxtSend->setText(input);
    QCOMPARE(m->TxtSend->text(), input);
    if (operation == "button")
        m->cmdSend->click();
    else if (operation == "enter")
        QTest::keyClick(m->TxtSend, Qt::Key_Return);
    else if (operation == "send menu")
        m->mnuSend->trigger();
    else if (operation == "whisper")
        m->cmdWhisper->click();
    else if (operation == "whisper menu")
        m->mnuWhisper->trigger();
    else
        m->mnuEmote->trigger();

    if (connected)
        QCOMPARE(h->sentSince(loginEnd), wire);
    QCOMPARE(h->chatLog(), chatLog);
    QCOMPARE(h->whisperLog(), whisperLog);
    QCOMPARE(m->TxtSend->text(), wire.isEmpty() ? input : QString());
    QCOMPARE(h->beeps, wire.isEmpty() && chatLog.isEmpty() ? 1 : 0);
}

// The echo goes where the caret is, replacing a selection; the caret is not moved first.
void tst_Commands::echoLandsAtCaret_data()
{
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("chatLog");

    QTest::newRow("caret at the end") << 8 << 8 << "one\r\ntwo\r\nBob: hi\r\n";
    QTest::newRow("caret moved to the start") << 0 << 0 << "Bob: hi\r\none\r\ntwo\r\n";
    QTest::newRow("selection replaced") << 4 << 7 << "one\r\nBob: hi\r\n\r\n";
}

void tst_Commands::echoLandsAtCaret()
{
    QFETCH(int, anchor);
    QFETCH(int, position);
    QFETCH(QString, chatLog);

    QVERIFY((loginEnd = h->logIn("Bob")) > 0);
    h->main->TxtGet->setPlainText("one\ntwo\n");
    QTextCursor cursor = h->main->TxtGet->textCursor();
    cursor.setPosition(anchor);
    cursor.setPosition(position, QTextCursor::KeepAnchor);
    h->main->TxtGet->setTextCursor(cursor);
    h->main->TxtSend->setText("hi");
    h->main->cmdSend_Click();
    QCOMPARE(h->chatLog(), chatLog);
}

// A login closes the dialog, and the echoes carry the name of that login; with the dialog
// not open, the echo loads it hidden with the stored name.
void tst_Commands::echoNameFromConnectDialog()
{
    QVERIFY((loginEnd = h->logIn("Ann")) > 0);
    QVERIFY(!Forms<frmConnect>::isLoaded());
    h->main->TxtSend->setText("yo");
    h->main->mnuEmote_Click();
    QCOMPARE(h->sentSince(loginEnd), QByteArray("/emote yo\r\n"));
    QCOMPARE(h->chatLog(), QString("<Ann yo>\r\n"));

    // The echo loaded the dialog, hidden; it keeps its text until it is unloaded.
    QVERIFY(Forms<frmConnect>::isLoaded() && !Forms<frmConnect>::get()->isVisible());
    Forms<frmConnect>::unloadNow();
    storeSetting(ConfigurationKey::Username, "Carol");
    h->main->TxtSend->setText("hi");
    h->main->cmdSend_Click();
    QVERIFY(h->chatLog().endsWith("Carol: hi\r\n"));
}

// Right press on "Zed" while the list's selection is elsewhere; no echo, no selection change.
void tst_Commands::popupCommands_data()
{
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QByteArray>("wire");

    const QString stats = "Stats";
    QTest::newRow("ban") << QStringList{"Ban"} << "Ann" << QByteArray("/ban Ann\r\n");
    QTest::newRow("unban") << QStringList{"Unban"} << "Ann" << QByteArray("/unban Ann\r\n");
    QTest::newRow("kick") << QStringList{"Kick"} << "Ann" << QByteArray("/kick Ann\r\n");
    QTest::newRow("designate") << QStringList{"Designate"} << "Ann"
                               << QByteArray("/designate Ann\r\n");
    QTest::newRow("squelch") << QStringList{"Squelch"} << "Ann" << QByteArray("/squelch Ann\r\n");
    QTest::newRow("unsquelch") << QStringList{"UnSquelch"} << "Ann"
                               << QByteArray("/unsquelch Ann\r\n");
    QTest::newRow("whois") << QStringList{"Whois"} << "Ann" << QByteArray("/whois Ann\r\n");
    QTest::newRow("starcraft") << QStringList{stats, "Starcraft"} << "Ann"
                               << QByteArray("/stats Ann star\r\n");
    QTest::newRow("brood wars") << QStringList{stats, "Brood Wars "} << "Ann"
                                << QByteArray("/stats Ann sexp\r\n");
    QTest::newRow("warcraft 2") << QStringList{stats, "Warcraft2 B.Net"} << "Ann"
                                << QByteArray("/stats Ann w2bne\r\n");
    QTest::newRow("time") << QStringList{"Time"} << "" << QByteArray("/time\r\n");
    QTest::newRow("users") << QStringList{"Users"} << "Ann" << QByteArray("/users\r\n");
    QTest::newRow("item's blank kept")
        << QStringList{"Ban"} << "Ann " << QByteArray("/ban Ann \r\n");
    QTest::newRow("break in item")
        << QStringList{"Kick"} << "Ann\n/ban Cy" << QByteArray("/kick Ann /ban Cy\r\n");
    QTest::newRow("nobody selected") << QStringList{"Kick"} << "" << QByteArray();
    QTest::newRow("dismissed") << QStringList{} << "Ann" << QByteArray();
}

void tst_Commands::popupCommands()
{
    QFETCH(QStringList, path);
    QFETCH(QString, selected);
    QFETCH(QByteArray, wire);

    QVERIFY((loginEnd = h->logIn("Bob")) > 0);
    UserListBox* list = h->main->RoomList;
    list->addItems({"Zed", selected.isEmpty() ? QString("Ann") : selected});
    if (!selected.isEmpty())
        list->setCurrentRow(1);
    const bool service = path.value(0) == "Time" || path.value(0) == "Users";
    if (service)
        press(h->main->TxtGet->viewport(), Qt::RightButton, path);
    else
        press(list->viewport(), Qt::RightButton, path, {},
              list->visualItemRect(list->item(0)).center());

    QCOMPARE(h->sentSince(loginEnd), wire);
    QCOMPARE(h->beeps, wire.isEmpty() && !path.isEmpty() ? 1 : 0);
    QCOMPARE(h->chatLog() + h->whisperLog(), QString());
    QCOMPARE(list->ListIndex(), selected.isEmpty() ? -1 : 1);
}

// Modifier keys change nothing; an empty user list still gets its menu.
void tst_Commands::onlyRightPressOpensMenu_data()
{
    QTest::addColumn<bool>("onLog");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");

    QTest::newRow("list, left") << false << Qt::LeftButton << Qt::KeyboardModifiers();
    QTest::newRow("list, middle") << false << Qt::MiddleButton << Qt::KeyboardModifiers();
    QTest::newRow("list, right, shift ctrl")
        << false << Qt::RightButton << (Qt::ShiftModifier | Qt::ControlModifier);
    QTest::newRow("log, left") << true << Qt::LeftButton << Qt::KeyboardModifiers();
    QTest::newRow("log, right, alt")
        << true << Qt::RightButton << Qt::KeyboardModifiers(Qt::AltModifier);
}

void tst_Commands::onlyRightPressOpensMenu()
{
    QFETCH(bool, onLog);
    QFETCH(Qt::MouseButton, button);
    QFETCH(Qt::KeyboardModifiers, modifiers);

    frmMain* m = h->main;
    press(onLog ? m->TxtGet->viewport() : m->RoomList->viewport(), button, {}, modifiers);
    QMenu* expected = button != Qt::RightButton ? nullptr
                      : onLog                   ? Forms<frmMenus>::get()->mnuBnetOptions
                                                : Forms<frmMenus>::get()->mnuChatOptions;
    QCOMPARE(shownMenu, expected);
}

// The log is disabled while its menu is open, then enabled and focused with its text and
// caret as before, whether or not a command was chosen or could be sent.
void tst_Commands::chatLogAroundItsMenu_data()
{
    QTest::addColumn<bool>("connected");
    QTest::addColumn<QString>("choice");
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<QString>("chatLog");

    QTest::newRow("time") << true << "Time" << QByteArray("/time\r\n") << "one\r\ntwo";
    QTest::newRow("dismissed") << true << "" << QByteArray() << "one\r\ntwo";
    // The notice gets a line of its own although the log's last line was left open.
    QTest::newRow("users, unconnected")
        << false << "Users" << QByteArray() << "one\r\ntwo\r\n" + NotSent;
}

void tst_Commands::chatLogAroundItsMenu()
{
    QFETCH(bool, connected);
    QFETCH(QString, choice);
    QFETCH(QByteArray, wire);
    QFETCH(QString, chatLog);

    if (connected)
        QVERIFY((loginEnd = h->logIn("Bob")) > 0);
    LogBox* log = h->main->TxtGet;
    log->setPlainText("one\ntwo");
    QTextCursor caret = log->textCursor();
    caret.setPosition(2);
    log->setTextCursor(caret);
    h->main->TxtSend->setFocus();
    press(log->viewport(), Qt::RightButton, {choice});

    QVERIFY(shownMenu);
    QVERIFY(!logEnabledInMenu);
    QVERIFY(log->isEnabled());
    // The offscreen platform leaves the closed pop-up active; a desktop gives the activation
    // back to the main window, whose focus is then in the log.
    h->main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h->main));
    QVERIFY(log->hasFocus());
    QCOMPARE(h->chatLog(), chatLog);
    if (connected) {
        QCOMPARE(log->textCursor().position(), 2);
        QCOMPARE(h->sentSince(loginEnd), wire);
    }
}

QTEST_MAIN(tst_Commands)
#include "tst_commands.moc"
