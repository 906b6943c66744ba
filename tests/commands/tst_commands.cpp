// Talking and the pop-up commands: the bytes on the wire, the echoes, long lines split (the
// longest line is 40 bytes here) and the cases in which nothing may go out.
#include "ClientHarness.h"
#include "commands/SendQueue.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/UserListBox.h"
#include "ui/frmConnect.h"
#include "ui/frmMain.h"
#include "ui/frmMenus.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {
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
    void cleanup() { h.reset(); }

    void talk_data();
    void talk();
    void echoNameFromConnectDialog();
    void popupCommands_data();
    void popupCommands();

private:
    void press(QWidget* where, Qt::MouseButton button, const QStringList& choice,
               Qt::KeyboardModifiers modifiers = {});

    std::unique_ptr<ClientHarness> h;
    qsizetype loginEnd = 0; // lines may only be sent after a login
    QMenu* shownMenu = nullptr;
    bool logEnabledInMenu = true;
};

void tst_Commands::init()
{
    h = std::make_unique<ClientHarness>(false);
    FloodLimits limits = h->main->sendQueue().limits();
    limits.longestLine = 40; // the least Options > Flood Protection takes
    h->main->setFloodLimits(limits);
    h->main->show();
    h->main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h->main));
    shownMenu = nullptr;
}

// Presses a button near the top left of `where`; a pop-up that opens gets `choice`, then closes.
void tst_Commands::press(QWidget* where, Qt::MouseButton button, const QStringList& choice,
                         Qt::KeyboardModifiers modifiers)
{
    QTimer::singleShot(0, this, [this, choice] {
        shownMenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        logEnabledInMenu = h->main->TxtGet->isEnabled();
        if (shownMenu)
            choose(shownMenu, choice);
        if (QApplication::activePopupWidget())
            QApplication::activePopupWidget()->close();
    });
    QTest::mouseClick(where, button, modifiers, {5, 5});
    QCoreApplication::processEvents(); // the single shot, when no menu ran its own loop
}

// The list is {"Zed", selected}, selected ("": {"Zed", "Ann"}, nothing selected); a refusal
// without a notice beeps. `caret`: a selection in "one\ntwo\n" that the echo leaves alone.
void tst_Commands::talk_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<QString>("chatLog");
    QTest::addColumn<QString>("whisperLog");
    QTest::addColumn<QList<int>>("caret");

    auto row = [](const char* name, const char* op, const QString& input, const char* selected,
                  const QByteArray& wire, const QString& chat, const QString& whisper,
                  const QList<int>& caret = {}) {
        QTest::newRow(name) << op << input << selected << wire << chat << whisper << caret;
    };
    row("send", "button", "hello", "Ann", "hello\r\n", "Bob: hello\r\n", "");
    row("send by enter", "enter", "hello", "Ann", "hello\r\n", "Bob: hello\r\n", "");
    row("send text menu", "send menu", "hi", "Ann", "hi\r\n", "Bob: hi\r\n", "");
    row("one blank", "button", " ", "Ann", " \r\n", "Bob:  \r\n", "");
    row("utf-8", "button", "caf\u00e9", "Ann", "caf\xc3\xa9\r\n", "Bob: caf\u00e9\r\n", "");
    row("pasted breaks", "button", "a\r\nb\nc", "Ann", "a  b c\r\n", "Bob: a  b c\r\n", "");
    row("whisper", "whisper", "hi", "Ann", "/w Ann hi\r\n", "", "To <Ann> hi\r\n");
    row("whisper menu", "whisper menu", "hi", "Ann", "/w Ann hi\r\n", "", "To <Ann> hi\r\n");
    row("item's blank kept", "whisper", "hi", "Ann ", "/w Ann  hi\r\n", "", "To <Ann > hi\r\n");
    row("whisper empty", "whisper", "", "Ann", "/w Ann \r\n", "", "To <Ann> \r\n");
    row("placeholders kept", "whisper", "50%1 %2", "A%2", "/w A%2 50%1 %2\r\n", "",
        "To <A%2> 50%1 %2\r\n");
    row("break in item", "whisper", "hi", "Ann\r\n/ban x", "/w Ann  /ban x hi\r\n", "",
        "To <Ann  /ban x> hi\r\n");
    row("emote", "emote", "waves", "Ann", "/emote waves\r\n", "<Bob waves>\r\n", "");
    row("emote empty", "emote", "", "Ann", "/emote \r\n", "<Bob >\r\n", "");
    row("empty send", "button", "", "Ann", "", "", "");
    row("whisper to nobody", "whisper", "hi", "", "", "", "");
    // Other selections, and the other writers: tst_scrollback.
    row("echo at the end, a selection stays", "button", "hi", "Ann", "hi\r\n",
        "one\r\ntwo\r\nBob: hi\r\n", "", {4, 7});
    // Typed whispers and emotes echo as the Whisper button and the Emote item do.
    row("typed /w", "button", "/w Ann hi there", "Zed", "/w Ann hi there\r\n", "",
        "To <Ann> hi there\r\n");
    row("typed /M", "button", "/M Ann hi", "Zed", "/M Ann hi\r\n", "", "To <Ann> hi\r\n");
    row("typed /msg, empty", "button", "/msg Ann ", "Zed", "/msg Ann \r\n", "", "To <Ann> \r\n");
    row("typed /me", "button", "/me waves", "Ann", "/me waves\r\n", "<Bob waves>\r\n", "");
    row("typed /emote", "button", "/EMOTE waves", "Ann", "/EMOTE waves\r\n", "<Bob waves>\r\n", "");
    row("/w without a text: as typed", "button", "/w Ann", "Ann", "/w Ann\r\n", "Bob: /w Ann\r\n",
        "");
    row("/me without a blank: as typed", "button", "/me", "Ann", "/me\r\n", "Bob: /me\r\n", "");
    row("/whois: as typed", "button", "/whois Ann x", "Ann", "/whois Ann x\r\n",
        "Bob: /whois Ann x\r\n", "");
    // Too long: each piece with its prefix and its own echo.
    const QString ten = "one two three four five six seven eight nine ten";
    row("send split", "button", ten, "Ann",
        "one two three four five six seven eight\r\nnine ten\r\n",
        "Bob: one two three four five six seven eight\r\nBob: nine ten\r\n", "");
    row("whisper split", "whisper", ten, "Ann",
        "/w Ann one two three four five six seven\r\n/w Ann eight nine ten\r\n", "",
        "To <Ann> one two three four five six seven\r\nTo <Ann> eight nine ten\r\n");
    row("whisper typed as a command split", "button", "/w Ann " + ten, "Ann",
        "/w Ann one two three four five six seven\r\n/w Ann eight nine ten\r\n", "",
        "To <Ann> one two three four five six seven\r\nTo <Ann> eight nine ten\r\n");
    // A name that leaves less than 32 bytes for the pieces: nothing sent, nothing echoed.
    row("name too long to whisper to", "whisper", ten, "Annabelle-1", "",
        "Not sent: the name is too long to whisper to (a line to the server holds at most 40 "
        "bytes).\r\n",
        "");
    row("another command is never split", "button", "/join a-channel-with-a-long-name", "Ann",
        "/join a-channel-with-a-long-name\r\n", "Bob: /join a-channel-with-a-long-name\r\n", "");
}

void tst_Commands::talk()
{
    QFETCH(QString, operation);
    QFETCH(QString, input);
    QFETCH(QString, selected);
    QFETCH(QByteArray, wire);
    QFETCH(QString, chatLog);
    QFETCH(QString, whisperLog);
    QFETCH(QList<int>, caret);

    frmMain* m = h->main;
    QVERIFY((loginEnd = h->logIn("Bob")) > 0);
    if (!caret.isEmpty()) {
        m->TxtGet->setPlainText("one\ntwo\n");
        QTextCursor cursor = m->TxtGet->textCursor();
        cursor.setPosition(caret[0]);
        cursor.setPosition(caret[1], QTextCursor::KeepAnchor);
        m->TxtGet->setTextCursor(cursor);
    }
    m->RoomList->addItems({"Zed", selected.isEmpty() ? QString("Ann") : selected});
    if (!selected.isEmpty())
        m->RoomList->setCurrentRow(1);
    m->TxtSend->setText(input);
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

    QCOMPARE(h->sentSince(loginEnd), wire);
    QCOMPARE(h->chatLog(), chatLog);
    QCOMPARE(h->whisperLog(), whisperLog);
    if (!caret.isEmpty()) {
        QCOMPARE(m->TxtGet->textCursor().anchor(), caret[0]);
        QCOMPARE(m->TxtGet->textCursor().position(), caret[1]);
    }
    QCOMPARE(m->TxtSend->text(), wire.isEmpty() ? input : QString());
    QCOMPARE(h->beeps, wire.isEmpty() && chatLog.isEmpty() ? 1 : 0);
}

// The echo's name comes from the connect dialog, loaded again (hidden) after the login.
void tst_Commands::echoNameFromConnectDialog()
{
    QVERIFY((loginEnd = h->logIn("Ann")) > 0);
    QVERIFY(!Forms<frmConnect>::isLoaded());
    storeSetting(ConfigurationKey::Username, "Carol");
    h->main->TxtSend->setText("hi");
    h->main->cmdSend_Click();
    QCOMPARE(h->chatLog(), QString("Carol: hi\r\n"));
    QVERIFY(Forms<frmConnect>::isLoaded() && !Forms<frmConnect>::get()->isVisible());
}

// A press on the list {"Zed", selected} ("": empty) or on the chat log, `path` chosen in the
// menu. Only a right press opens it; no echo, the selection, text and caret stay; the log is
// disabled while its menu is open, and the focus goes back to the message box.
void tst_Commands::popupCommands_data()
{
    QTest::addColumn<QStringList>("path");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QByteArray>("wire");
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");

    const auto row = [](const char* name, const QStringList& path, const char* selected,
                        const QByteArray& wire, Qt::MouseButton button = Qt::RightButton,
                        Qt::KeyboardModifiers modifiers = {}) {
        QTest::newRow(name) << path << QString(selected) << wire << button << modifiers;
    };
    row("ban", {"Ban"}, "Ann", "/ban Ann\r\n");
    row("kick", {"Kick"}, "Ann", "/kick Ann\r\n");
    row("squelch", {"Squelch"}, "Ann", "/squelch Ann\r\n");
    row("whois", {"Whois"}, "Ann", "/whois Ann\r\n");
    row("starcraft", {"Stats", "Starcraft"}, "Ann", "/stats Ann star\r\n");
    row("warcraft 2", {"Stats", "Warcraft2 B.Net"}, "Ann", "/stats Ann w2bne\r\n");
    row("time", {"Time"}, "", "/time\r\n");
    row("users", {"Users"}, "Ann", "/users\r\n");
    row("item's blank kept", {"Ban"}, "Ann ", "/ban Ann \r\n");
    row("break in item", {"Kick"}, "Ann\n/ban Cy", "/kick Ann /ban Cy\r\n");
    row("never split", {"Kick"}, "Ann-with-a-long-name", "/kick Ann-with-a-long-name\r\n");
    row("nobody to kick", {"Kick"}, "", QByteArray());
    row("dismissed", {}, "Ann", QByteArray());
    row("list, left", {"Kick"}, "", QByteArray(), Qt::LeftButton);
    row("list, right, shift ctrl", {"Kick"}, "Ann", "/kick Ann\r\n", Qt::RightButton,
        Qt::ShiftModifier | Qt::ControlModifier);
    row("log, left", {"Time"}, "", QByteArray(), Qt::LeftButton);
    row("log, right, alt", {"Time"}, "", "/time\r\n", Qt::RightButton, Qt::AltModifier);
}

void tst_Commands::popupCommands()
{
    QFETCH(QStringList, path);
    QFETCH(QString, selected);
    QFETCH(QByteArray, wire);
    QFETCH(Qt::MouseButton, button);
    QFETCH(Qt::KeyboardModifiers, modifiers);

    QVERIFY((loginEnd = h->logIn("Bob")) > 0);
    UserListBox* list = h->main->RoomList;
    if (!selected.isEmpty()) {
        list->addItems({"Zed", selected});
        list->setCurrentRow(1);
    }
    LogBox* log = h->main->TxtGet;
    log->setPlainText("one\ntwo");
    QTextCursor caret = log->textCursor();
    caret.setPosition(2);
    log->setTextCursor(caret);
    const bool onLog = path.isEmpty() || path[0] == "Time" || path[0] == "Users";
    if (onLog)
        log->setFocus();
    else
        list->setFocus();
    press(onLog ? log->viewport() : list->viewport(), button, path, modifiers);

    frmMenus* menus = Forms<frmMenus>::get();
    QMenu* menu = onLog ? menus->mnuBnetOptions : menus->mnuChatOptions;
    QCOMPARE(shownMenu, button == Qt::RightButton ? menu : nullptr);
    QCOMPARE(h->sentSince(loginEnd), wire);
    QCOMPARE(h->beeps, wire.isEmpty() && shownMenu && !path.isEmpty() ? 1 : 0);
    QCOMPARE(h->chatLog(), QString("one\r\ntwo"));
    QCOMPARE(h->whisperLog(), QString());
    QCOMPARE(list->ListIndex(), selected.isEmpty() ? -1 : 1);
    if (button == Qt::RightButton || !onLog) // a left press on the log moves its caret
        QCOMPARE(log->textCursor().position(), 2);
    QVERIFY(log->isEnabled());
    if (shownMenu) {
        QVERIFY(!onLog || !logEnabledInMenu);
        // The offscreen platform leaves the closed pop-up active; a desktop gives the
        // activation back to the main window, whose focus is then in the message box.
        h->main->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(h->main));
        QVERIFY(h->main->TxtSend->hasFocus());
    }
}

QTEST_MAIN(tst_Commands)
#include "tst_commands.moc"
