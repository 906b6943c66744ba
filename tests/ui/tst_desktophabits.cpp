// The habits users bring from other chat programs, through the real widgets: the message
// box's history and name completion, time stamps in the logs, the whisper alert, the masked
// password, saving the chat log and copying from the logs.
#include "ClientHarness.h"
#include "platform/DesktopServices.h"
#include "protocol/LogBoxWriters.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/UserListBox.h"
#include "ui/frmConnect.h"
#include "ui/frmMain.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {
const QTime Clock(9, 5, 59); // shown as "[09:05] "
const QString Lost = QStringLiteral("Your connect to battle.net has been lost");
const QString NotSent = QStringLiteral("Not sent: there is no connection to the server.");

// The box's text with "|" where the caret stands.
QString WithCaret(const QLineEdit* box)
{
    return box->text().insert(box->cursorPosition(), QLatin1Char('|'));
}
} // namespace

class tst_DesktopHabits : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void messageBoxKeys_data();
    void messageBoxKeys();
    void timestamps_data();
    void timestamps();
    void timestampsChoiceIsKept();
    void whisperAlert_data();
    void whisperAlert();
    void maskedPasswordGoesOutAsTyped();
    void saveChatLog_data();
    void saveChatLog();
    void copyFromLogs_data();
    void copyFromLogs();
    void rightPressMenus_data();
    void rightPressMenus();

private:
    void waitForLog(LogBox* box, qsizetype lines);

    std::unique_ptr<ClientHarness> h;
    QList<QWidget*> alerts;
    QString chosenFile;
    QString suggestedFile;
};

void tst_DesktopHabits::init()
{
    h = std::make_unique<ClientHarness>(false);
    alerts.clear();
    chosenFile.clear();
    suggestedFile.clear();
    DesktopServices::SetHooks({[this](QWidget* window) { alerts.append(window); },
                               [this](const QString& suggested) {
                                   suggestedFile = suggested;
                                   return chosenFile;
                               }});
    Forms<frmConnect>::Get()->UserNamet->setText("Bob");
    h->main->TxtGet->SetClock([] { return Clock; });
    h->main->TxtWhisper->SetClock([] { return Clock; });
    h->main->show();
    h->main->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h->main));
    QVERIFY(h->connectSocket());
    h->main->SetOnlineControls(true);
}

void tst_DesktopHabits::cleanup()
{
    h.reset();
    DesktopServices::SetHooks({});
}

void tst_DesktopHabits::waitForLog(LogBox* box, qsizetype lines)
{
    QVERIFY(QTest::qWaitFor([&] { return LogText(box).count("\r\n") >= lines; }, 5000));
}

// Each step is a key name from the table below or text typed as it stands; "Return" sends.
// The result is the box's text with "|" at the caret.
void tst_DesktopHabits::messageBoxKeys_data()
{
    QTest::addColumn<QStringList>("users");
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("keepsFocus");

    const QStringList two = {"one", "Return", "two", "Return"};
    QTest::newRow("up recalls the last line")
        << QStringList() << two + QStringList{"Up"} << "two|" << true;
    QTest::newRow("newest first, up stops at the oldest")
        << QStringList() << two + QStringList{"Up", "Up", "Up"} << "one|" << true;
    QTest::newRow("down goes back to newer")
        << QStringList() << two + QStringList{"Up", "Up", "Down"} << "two|" << true;
    QTest::newRow("down past the newest restores the draft")
        << QStringList() << two + QStringList{"dra", "Up", "Up", "Down", "Down"} << "dra|" << true;
    QTest::newRow("down on the draft keeps it")
        << QStringList() << two + QStringList{"dra", "Down"} << "dra|" << true;
    QTest::newRow("nothing sent yet")
        << QStringList() << QStringList{"dra", "Up"} << "dra|" << true;
    QTest::newRow("the same line in a row is kept once")
        << QStringList() << two + QStringList{"two", "Return", "Up", "Up"} << "one|" << true;
    QTest::newRow("a recalled line sent again is kept once")
        << QStringList() << QStringList{"one", "Return", "Up", "Return", "Up", "Up", "Down"} << "|"
        << true;
    QTest::newRow("escape clears the box")
        << QStringList() << QStringList{"typed", "Escape"} << "|" << true;
    QTest::newRow("escape while recalling drops the draft")
        << QStringList() << QStringList{"one", "Return", "dra", "Up", "Escape", "Up", "Down"} << "|"
        << true;
    QStringList many;
    for (int i = 0; i <= 100; ++i)
        many << QStringLiteral("line %1").arg(i) << "Return";
    for (int i = 0; i <= 101; ++i)
        many << "Up";
    QTest::newRow("the oldest of 101 lines is gone") << QStringList() << many << "line 1|" << true;

    const QStringList users = {"Zed", "bob", "Ann ", "bobby"};
    QTest::newRow("bo + Tab at the start") << users << QStringList{"bo", "Tab"} << "bob: |" << true;
    QTest::newRow("case ignored, list spelling kept")
        << users << QStringList{"BO", "Tab"} << "bob: |" << true;
    QTest::newRow("item's trailing blank ignored")
        << users << QStringList{"an", "Tab"} << "Ann: |" << true;
    QTest::newRow("inside the line a blank follows")
        << users << QStringList{"hi z", "Tab"} << "hi Zed |" << true;
    QTest::newRow("only the word before the caret")
        << users << QStringList{"hi there", "Home", "Right", "Right", "Right", "a", "Tab"}
        << "hi Ann |there" << true;
    QTest::newRow("Tab again cycles in list order")
        << users << QStringList{"bo", "Tab", "Tab"} << "bobby: |" << true;
    QTest::newRow("the cycle wraps around")
        << users << QStringList{"bo", "Tab", "Tab", "Tab"} << "bob: |" << true;
    QTest::newRow("Shift+Tab goes back")
        << users << QStringList{"bo", "Tab", "Tab", "Backtab"} << "bob: |" << true;
    QTest::newRow("a name listed twice is offered once")
        << QStringList{"bob", "bob "} << QStringList{"b", "Tab", "Tab"} << "bob: |" << true;
    QTest::newRow("typing starts a new completion")
        << users << QStringList{"bo", "Tab", "z", "Tab"} << "bob: Zed |" << true;
    QTest::newRow("no such user: text and focus stay")
        << users << QStringList{"hi q", "Tab"} << "hi q|" << true;
    QTest::newRow("no word: Tab moves on") << users << QStringList{"hi ", "Tab"} << "hi |" << false;
    QTest::newRow("empty box: Tab moves on") << users << QStringList{"Tab"} << "|" << false;
}

void tst_DesktopHabits::messageBoxKeys()
{
    QFETCH(QStringList, users);
    QFETCH(QStringList, steps);
    QFETCH(QString, result);
    QFETCH(bool, keepsFocus);

    static const QHash<QString, Qt::Key> keys = {
        {"Return", Qt::Key_Return}, {"Up", Qt::Key_Up},       {"Down", Qt::Key_Down},
        {"Escape", Qt::Key_Escape}, {"Tab", Qt::Key_Tab},     {"Backtab", Qt::Key_Backtab},
        {"Home", Qt::Key_Home},     {"Right", Qt::Key_Right},
    };
    InputBox* box = h->main->TxtSend;
    h->main->RoomList->addItems(users);
    box->setFocus();
    QVERIFY(box->hasFocus());
    for (const QString& step : steps) {
        if (!keys.contains(step))
            QTest::keyClicks(box, step);
        else if (step == "Backtab")
            QTest::keyClick(box, Qt::Key_Backtab, Qt::ShiftModifier);
        else
            QTest::keyClick(box, keys[step]);
    }
    QCOMPARE(WithCaret(box), result);
    QCOMPARE(box->hasFocus(), keepsFocus);
}

// The same events with stamps off and on: off, every line is exactly as before.
void tst_DesktopHabits::timestamps_data()
{
    QTest::addColumn<bool>("on");
    QTest::addColumn<QString>("event");
    QTest::addColumn<QString>("chatLog");
    QTest::addColumn<QString>("whisperLog");

    for (const bool on : {false, true}) {
        const QString t = on ? QStringLiteral("[09:05] ") : QString();
        auto row = [on](const char* name) {
            return &(QTest::addRow("%s, %s", name, on ? "on" : "off") << on);
        };
        const QString none;
        *row("talk") << "talk" << t + "<TALK bob :>hi\r\n" << none;
        *row("whisper") << "whisper" << none << t + " ann :(Whispered) psst\r\n";
        *row("chat echo") << "send" << t + "Bob: hello\r\n" << none;
        *row("whisper echo") << "whisper echo" << none << t + "To <ann> hello\r\n";
        *row("each line of the command list")
            << "commands" << t + "/join <CHANNEL>\r\n" + t + "/whois <NAME>\r\n"
            << none;
        *row("notice after a line left open")
            << "disconnect, send" << t + Lost + "\r\n" + t + NotSent + "\r\n"
            << none;
    }
}

void tst_DesktopHabits::timestamps()
{
    QFETCH(bool, on);
    QFETCH(QString, event);
    QFETCH(QString, chatLog);
    QFETCH(QString, whisperLog);

    frmMain* m = h->main;
    if (on)
        m->mnuTimestamps->trigger();
    QCOMPARE(m->mnuTimestamps->isChecked(), on);
    m->RoomList->addItem("ann");
    m->RoomList->setCurrentRow(0);
    if (event == "talk") {
        h->server.sendRaw("1005 TALK bob 0010 \"hi\"\r\n");
        waitForLog(m->TxtGet, 1);
    } else if (event == "whisper") {
        h->server.sendRaw("1004 WHISPER ann 0010 \"psst\"\r\n");
        waitForLog(m->TxtWhisper, 1);
    } else if (event == "send" || event == "whisper echo") {
        m->TxtSend->setText("hello");
        (event == "send" ? m->cmdSend : m->cmdWhisper)->click();
    } else if (event == "commands") {
        m->mnuCommands->trigger();
        const QStringList lines = LogText(m->TxtGet).split("\r\n");
        QCOMPARE(lines.size(), 18);
        for (const QString& line : lines.mid(0, 17))
            QVERIFY2(line.startsWith(on ? "[09:05] /" : "/"), qPrintable(line));
        chatLog += LogText(m->TxtGet).mid(chatLog.size()); // the first two lines are compared
    } else {
        m->mnuDisconnect->trigger();
        m->TxtSend->setText("hello");
        m->mnuSend->setEnabled(true);
        m->mnuSend->trigger();
    }
    QCOMPARE(LogText(m->TxtGet), chatLog);
    QCOMPARE(LogText(m->TxtWhisper), whisperLog);
}

void tst_DesktopHabits::timestampsChoiceIsKept()
{
    QVERIFY(!h->main->mnuTimestamps->isChecked());
    h->main->mnuTimestamps->trigger();
    QCOMPARE(ReadSetting(ConfigurationKey::Timestamps, ""), QString("1"));

    Forms<frmMain>::UnloadNow();
    frmMain* again = Forms<frmMain>::Get();
    QVERIFY(again->mnuTimestamps->isChecked());
    again->TxtWhisper->SetClock([] { return Clock; });
    EchoLine(again->TxtWhisper, "x");
    QCOMPARE(LogText(again->TxtWhisper), QString("[09:05] x\r\n"));

    again->mnuTimestamps->trigger();
    QVERIFY(!again->mnuTimestamps->isChecked());
    QCOMPARE(ReadSetting(ConfigurationKey::Timestamps, ""), QString("0"));
    EchoLine(again->TxtWhisper, "y");
    QCOMPARE(LogText(again->TxtWhisper), QString("[09:05] x\r\ny\r\n"));
    h->main = again; // for the harness to unload
}

void tst_DesktopHabits::whisperAlert_data()
{
    QTest::addColumn<bool>("mainActive");
    QTest::newRow("main window active: no alert") << true;
    QTest::newRow("another window active: alert") << false;
}

void tst_DesktopHabits::whisperAlert()
{
    QFETCH(bool, mainActive);
    QWidget other;
    if (!mainActive) {
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
    }
    h->server.sendRaw("1005 TALK ann 0010 \"not a whisper\"\r\n"
                      "1004 WHISPER ann 0010 \"psst\"\r\n");
    waitForLog(h->main->TxtWhisper, 1);
    QCOMPARE(alerts, mainActive ? QList<QWidget*>() : QList<QWidget*>{h->main});
}

// The box hides the password from the screen (and says so to a screen reader); the login
// sends and stores exactly what was typed.
void tst_DesktopHabits::maskedPasswordGoesOutAsTyped()
{
    const QString password = QStringLiteral("p\u00e4ss w0rd!");
    StoreSetting(ConfigurationKey::Server, h->serverAddress());
    h->main->mnuConnect->setEnabled(true);
    h->main->mnuConnect->trigger();
    frmConnect* dialog = Forms<frmConnect>::Get();
    dialog->Passwordt->clear();
    for (const QChar c : password) // typed, also the letter that is not ASCII
        QTest::sendKeyEvent(QTest::Click, dialog->Passwordt, Qt::Key_unknown, QString(c),
                            Qt::NoModifier);
    QCOMPARE(dialog->Passwordt->text(), password);
    QVERIFY(!dialog->Passwordt->displayText().contains("ss w0"));
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(dialog->Passwordt);
    QVERIFY(accessible && accessible->state().passwordEdit);

    dialog->cmdServer->setEditText(h->serverAddress());
    dialog->cmdConnect->click();
    const QByteArray line = password.toUtf8() + "\r\n";
    QVERIFY(QTest::qWaitFor([&] { return h->server.received().endsWith(line); }, 5000));
    QCOMPARE(ReadSetting(ConfigurationKey::Password, ""), password);
}

// target: "new", "older" (a file of that name exists), "below a file" (its folder is a
// regular file), "cancel" (no file chosen).
void tst_DesktopHabits::saveChatLog_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("saved");
    QTest::newRow("new file") << "new" << true;
    QTest::newRow("replaces an older file") << "older" << true;
    QTest::newRow("unwritable folder") << "below a file" << false;
    QTest::newRow("cancelled") << "cancel" << false;
}

void tst_DesktopHabits::saveChatLog()
{
    QFETCH(QString, target);
    QFETCH(bool, saved);

    QTemporaryDir folder;
    QFile older(folder.filePath("chat.txt"));
    QVERIFY(older.open(QIODevice::WriteOnly));
    older.write(target == "older" ? "an older and much longer text\n" : "a regular file\n");
    older.close();
    if (target == "below a file")
        chosenFile = folder.filePath("chat.txt/log.txt");
    else if (target != "cancel")
        chosenFile = folder.filePath(target == "older" ? "chat.txt" : "log.txt");
    AppendLine(h->main->TxtGet, QStringLiteral("bob: caf\u00e9"));
    AppendLine(h->main->TxtGet, "<ann waves>");
    const QStringList before = QDir(folder.path()).entryList(QDir::Files);

    h->main->mnuSaveLog->trigger();

    QVERIFY(QFileInfo(suggestedFile).dir().exists());
    QVERIFY(
        QFileInfo(suggestedFile).fileName().contains(QDate::currentDate().toString(Qt::ISODate)));
    if (saved) {
        QFile file(chosenFile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("bob: caf\xc3\xa9\n<ann waves>\n"));
        QVERIFY(h->messages.isEmpty());
        return;
    }
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files), before); // nothing left behind
    if (target == "cancel") {
        QVERIFY(h->messages.isEmpty());
        return;
    }
    QCOMPARE(h->messages.size(), 1);
    QCOMPARE(h->messages[0].title, QString("Save Chat Log"));
    QCOMPARE(h->messages[0].icon, WindowSystem::MessageIcon::Warning);
    QVERIFY2(
        h->messages[0].text.startsWith("Could not save the chat log to " + chosenFile + ": ") &&
            h->messages[0].text.size() > chosenFile.size() + 35,
        qPrintable(h->messages[0].text)); // a reason follows
}

void tst_DesktopHabits::copyFromLogs_data()
{
    QTest::addColumn<bool>("whisperLog");
    QTest::newRow("chat log") << false;
    QTest::newRow("whisper log") << true;
}

void tst_DesktopHabits::copyFromLogs()
{
    QFETCH(bool, whisperLog);
    LogBox* box = whisperLog ? h->main->TxtWhisper : h->main->TxtGet;
    AppendLine(box, "first line");
    AppendLine(box, "second line");
    QTextCursor selection(box->document());
    selection.setPosition(6);
    selection.setPosition(17, QTextCursor::KeepAnchor);
    box->setTextCursor(selection);
    box->setFocus();
    QApplication::clipboard()->clear();
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("line\nsecond"));
}

// A real right click through the window: the whisper log opens its edit menu, the chat log
// the service menu.
void tst_DesktopHabits::rightPressMenus_data()
{
    QTest::addColumn<bool>("whisperLog");
    QTest::addColumn<QString>("firstItem");
    QTest::newRow("whisper log: copy menu") << true << "Copy";
    QTest::newRow("chat log: service menu") << false << "Time";
}

void tst_DesktopHabits::rightPressMenus()
{
    QFETCH(bool, whisperLog);
    QFETCH(QString, firstItem);
    LogBox* box = whisperLog ? h->main->TxtWhisper : h->main->TxtGet;
    AppendLine(box, "some text");
    QString shown;
    QTimer::singleShot(0, this, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            shown = menu->actions().value(0)->text().remove('&').section('\t', 0, 0);
            menu->close();
        }
    });
    const QPoint at = box->viewport()->mapTo(h->main, QPoint(20, 20));
    QTest::mouseClick(h->main->windowHandle(), Qt::RightButton, {}, at);
    QCoreApplication::processEvents();
    QCOMPARE(shown, firstItem);
    QCOMPARE(LogText(box), QString("some text\r\n")); // untouched
}

QTEST_MAIN(tst_DesktopHabits)
#include "tst_desktophabits.moc"
