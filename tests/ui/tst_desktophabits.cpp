// Habits from other chat programs: the message box's keys, time stamps, the whisper alert,
// saving and copying the logs, right-to-left lines and the keyboard.
#include "ClientHarness.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/LogBoxWriters.h"
#include "ui/UserListBox.h"
#include "ui/frmAnti.h"
#include "ui/frmConnect.h"
#include "ui/frmMain.h"

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
#include <QTextBlock>
#include <QTextLayout>
#include <QTimer>

#include <csignal>
#include <memory>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {
const QTime Clock(9, 5, 59); // shown as "[09:05] "
} // namespace

class tst_DesktopHabits : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { h.reset(); }

    void messageBoxKeys_data();
    void messageBoxKeys();
    void timestamps_data();
    void timestamps();
    void whisperAlertOnlyInBackground();
    void saveChatLog_data();
    void saveChatLog();
    void copyFromLogs_data();
    void copyFromLogs();
    void rightToLeftLines_data();
    void rightToLeftLines();
    void keyboard_data();
    void keyboard();

private:
    std::unique_ptr<ClientHarness> h;
};

void tst_DesktopHabits::init()
{
    h = std::make_unique<ClientHarness>(false);
    h->main->TxtGet->setClock([] { return Clock; });
    h->main->TxtWhisper->setClock([] { return Clock; });
    QVERIFY(h->logIn("Bob") > 0); // through the connect dialog, which then goes away
    QVERIFY(h->showActive());
}

// `result` is the box's text with "|" at the caret.
void tst_DesktopHabits::messageBoxKeys_data()
{
    QTest::addColumn<QStringList>("users");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("result");
    QTest::addColumn<bool>("keepsFocus");
    auto row = [](const char* name, const QStringList& users, const QString& keys,
                  const char* result, bool keepsFocus = true) {
        QTest::newRow(name) << users << keys << QString(result) << keepsFocus;
    };
    const QStringList none;
    row("up recalls the last line", none, "one<Return>two<Return><Up>", "two|");
    row("down past the newest restores the draft", none,
        "one<Return>two<Return>dra<Up><Up><Down><Down>", "dra|");
    row("a line repeated in a row is kept once", none, "one<Return>two<Return>two<Return><Up><Up>",
        "one|");
    row("a recalled line sent again is kept once", none, "one<Return><Up><Return><Up><Up><Down>",
        "|");
    row("escape clears the box and the draft", none, "one<Return>dra<Up><Escape><Up><Down>", "|");
    QString many;
    for (int i = 0; i <= 100; ++i)
        many += QStringLiteral("line %1<Return>").arg(i);
    row("only the last 100 lines", none, many + QString("<Up>").repeated(102), "line 1|");

    const QStringList users = {"Zed", "bob", "Ann ", "bobby"};
    row("bo + Tab at the start", users, "bo<Tab>", "bob: |");
    row("case ignored, list spelling kept", users, "BO<Tab>", "bob: |");
    row("item's trailing blank ignored", users, "an<Tab>", "Ann: |");
    row("inside the line: a blank, the rest stays", users,
        "hi there<Home><Right><Right><Right>z<Tab>", "hi Zed |there");
    row("Tab again: the next match", users, "bo<Tab><Tab>", "bobby: |");
    row("the cycle wraps around", users, "bo<Tab><Tab><Tab>", "bob: |");
    row("Shift+Tab goes back", users, "bo<Tab><Tab><Backtab>", "bob: |");
    row("typing starts a new completion", users, "bo<Tab>z<Tab>", "bob: Zed |");
    row("no such user: text and focus stay", users, "hi q<Tab>", "hi q|");
    row("no word: Tab moves on", users, "hi <Tab>", "hi |", false);
}

void tst_DesktopHabits::messageBoxKeys()
{
    QFETCH(QStringList, users);
    QFETCH(QString, keys);
    QFETCH(QString, result);
    QFETCH(bool, keepsFocus);
    InputBox* box = h->main->TxtSend;
    h->main->RoomList->addItems(users);
    box->setFocus();
    typeKeys(box, keys);
    QCOMPARE(box->text().insert(box->cursorPosition(), QLatin1Char('|')), result);
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
        auto row = [on](const char* name, const char* event, const QString& chat,
                        const QString& whisper) {
            QTest::addRow("%s, %s", name, on ? "on" : "off") << on << event << chat << whisper;
        };
        row("talk", "talk", t + "<TALK bob :>hi\r\n", "");
        row("whisper", "whisper", "", t + " ann :(Whispered) psst\r\n");
        row("chat echo", "send", t + "Bob: hello\r\n", "");
        row("whisper echo", "whisper echo", "", t + "To <ann> hello\r\n");
        row("notice after a line left open", "disconnect, send",
            t + "Your connect to battle.net has been lost\r\n" + t +
                "Not sent: there is no connection to the server.\r\n",
            "");
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
    m->RoomList->addItem("ann");
    m->RoomList->setCurrentRow(0);
    m->TxtSend->setText("hello");
    if (event == "talk" || event == "whisper") {
        h->server.sendRaw(event == "talk" ? "1005 TALK bob 0010 \"hi\"\r\n"
                                          : "1004 WHISPER ann 0010 \"psst\"\r\n");
        QVERIFY(QTest::qWaitFor([&] { return !(h->chatLog() + h->whisperLog()).isEmpty(); }));
    } else if (event == "disconnect, send") {
        m->mnuDisconnect->trigger(); // leaves its notice's line open
        m->cmdSend_Click();
    } else {
        (event == "send" ? m->cmdSend : m->cmdWhisper)->click();
    }
    QCOMPARE(h->chatLog(), chatLog);
    QCOMPARE(h->whisperLog(), whisperLog);
}

void tst_DesktopHabits::whisperAlertOnlyInBackground()
{
    h->server.sendRaw("1004 WHISPER ann 0010 \"one\"\r\n");
    QVERIFY(QTest::qWaitFor([&] { return h->whisperLog().count("\r\n") == 1; }));
    QVERIFY(h->alerts.isEmpty());

    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    h->server.sendRaw("1005 TALK ann 0010 \"talk\"\r\n1004 WHISPER ann 0010 \"two\"\r\n");
    QVERIFY(QTest::qWaitFor([&] { return h->whisperLog().count("\r\n") == 2; }));
    QCOMPARE(h->alerts, QList<QWidget*>{h->main});
}

namespace {
int modeOf(const QString& path)
{
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return int(info.st_mode & 07777);
}
} // namespace

// The folder holds "chat.txt"; `choice` is relative to it, empty for a cancelled choice.
void tst_DesktopHabits::saveChatLog_data()
{
    QTest::addColumn<QString>("choice");
    QTest::addColumn<bool>("saved");
    QTest::addColumn<QString>("reason"); // what the message ends with, when it matters
    QTest::newRow("new file") << "log.txt" << true << "";
    QTest::newRow("replaces an older file") << "chat.txt" << true << "";
    QTest::newRow("unwritable folder (a regular file)") << "chat.txt/log.txt" << false << "";
    // A file size limit stops the write part of the way, as a full disk does.
    QTest::newRow("write stopped short") << "log.txt" << false << ": File too large.";
    QTest::newRow("cancelled") << "" << false << "";
}

void tst_DesktopHabits::saveChatLog()
{
    QFETCH(QString, choice);
    QFETCH(bool, saved);
    QFETCH(QString, reason);
    QTemporaryDir folder;
    QFile older(folder.filePath("chat.txt"));
    QVERIFY(older.open(QIODevice::WriteOnly));
    older.write("an older and much longer text\n");
    older.close();
    const int olderMode = modeOf(older.fileName());
    h->fileToChoose = choice.isEmpty() ? QString() : folder.filePath(choice);
    AppendLine(h->main->TxtGet, QStringLiteral("bob: caf\u00e9"));
    AppendLine(h->main->TxtGet, "<ann waves>");

    const bool limited = !reason.isEmpty();
    if (limited) {
        AppendLine(h->main->TxtGet, QString(20000, 'x'));
        ::signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails with EFBIG
    }
    rlimit fileSize{};
    ::getrlimit(RLIMIT_FSIZE, &fileSize);
    const rlimit small{4096, fileSize.rlim_max};
    QVERIFY(!limited || ::setrlimit(RLIMIT_FSIZE, &small) == 0);
    h->main->mnuSaveLog->trigger();
    ::setrlimit(RLIMIT_FSIZE, &fileSize);

    const QFileInfo suggested(h->suggestedFile);
    QVERIFY(suggested.dir().exists());
    QVERIFY(suggested.fileName().contains(QDate::currentDate().toString(Qt::ISODate)));
    QFile file(saved ? h->fileToChoose : older.fileName());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), saved ? QByteArray("bob: caf\xc3\xa9\n<ann waves>\n")
                                   : QByteArray("an older and much longer text\n"));
    QCOMPARE(modeOf(file.fileName()), saved ? 0600 : olderMode);
    // Nothing partial is left: no file of the name chosen, and no temporary file.
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(),
             saved && choice == "log.txt" ? 2 : 1);
    if (saved || choice.isEmpty()) {
        QVERIFY(h->messages.isEmpty());
        return;
    }
    QCOMPARE(h->messages.size(), 1);
    QCOMPARE(h->messages[0].title, QString("Save Chat Log"));
    const QString text = h->messages[0].text;
    QVERIFY2(text.startsWith("Could not save the chat log to " + h->fileToChoose + ": ") &&
                 text.size() > h->fileToChoose.size() + 35, // the reason follows
             qPrintable(text));
    QVERIFY2(text.endsWith(reason), qPrintable(text));
}

// Ctrl+C copies in both logs; a right click opens the whisper log's edit menu, the chat log's
// service menu.
void tst_DesktopHabits::copyFromLogs_data()
{
    QTest::addColumn<bool>("whisperLog");
    QTest::addColumn<QString>("firstMenuItem");
    QTest::newRow("chat log") << false << "Time";
    QTest::newRow("whisper log") << true << "Copy";
}

void tst_DesktopHabits::copyFromLogs()
{
    QFETCH(bool, whisperLog);
    QFETCH(QString, firstMenuItem);
    LogBox* box = whisperLog ? h->main->TxtWhisper : h->main->TxtGet;
    AppendLine(box, "first line");
    AppendLine(box, "second line");
    QTextCursor selection(box->document());
    selection.setPosition(6);
    selection.setPosition(17, QTextCursor::KeepAnchor);
    box->setTextCursor(selection);
    QApplication::clipboard()->clear();
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), QString("line\nsecond"));

    QString shown;
    QTimer::singleShot(0, this, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            shown = menu->actions().value(0)->text().remove('&').section('\t', 0, 0);
            menu->close();
        }
    });
    const QPoint at = box->viewport()->mapTo(h->main, QPoint(20, 40));
    QTest::mouseClick(h->main->windowHandle(), Qt::RightButton, {}, at);
    QCoreApplication::processEvents();
    QCOMPARE(shown, firstMenuItem);
    QCOMPARE(logText(box), QString("first line\r\nsecond line\r\n"));
}

// A Hebrew name keeps the parts in their places on screen (name, separator, text); what is
// read and copied holds the characters sent, without the isolates.
void tst_DesktopHabits::rightToLeftLines_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("whisper");
    QTest::addColumn<QString>("read");
    QTest::addColumn<QStringList>("parts"); // name, separator, text: left to right on screen
    const QString name = QStringLiteral("\u05de\u05e9\u05d4");
    const QString text = QStringLiteral("\u05e9\u05dc\u05d5\u05dd 12");
    const QByteArray from = " " + name.toUtf8() + " 0010 \"";
    QTest::newRow("whisper") << "1004 WHISPER" + from + text.toUtf8() + "\"" << true
                             << " " + name + " :(Whispered) " + text
                             << QStringList{name, ":(Whispered)", text};
    QTest::newRow("talk") << "1005 TALK" + from + text.toUtf8() + "\"" << false
                          << "<TALK " + name + " :>" + text << QStringList{name, ":>", text};
    QTest::newRow("emote, left-to-right text")
        << "1023 EMOTE" + from + "7 up\"" << false << name + "  7 up" << QStringList{name, "7 up"};
}

void tst_DesktopHabits::rightToLeftLines()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, whisper);
    QFETCH(QString, read);
    QFETCH(QStringList, parts);
    LogBox* box = whisper ? h->main->TxtWhisper : h->main->TxtGet;
    QVERIFY(h->connectSocket());
    h->server.sendRaw(line + "\r\n");
    QTRY_VERIFY(box->document()->blockCount() == 2);
    QCOMPARE(logText(box), read + "\r\n");

    // Where each part's characters stand on screen: a part may run right to left inside, but
    // the parts follow each other left to right.
    const QTextBlock block = box->document()->firstBlock();
    const QTextLine shown = block.layout()->lineAt(0);
    QList<std::pair<qreal, qreal>> spans;
    qsizetype from = 0;
    for (const QString& part : std::as_const(parts)) {
        from = block.text().indexOf(part, from);
        QVERIFY(from >= 0);
        qreal left = 1e9, right = -1e9;
        for (qsizetype i = from; i <= from + part.size(); ++i) {
            left = qMin(left, shown.cursorToX(int(i)));
            right = qMax(right, shown.cursorToX(int(i)));
        }
        spans.append({left, right});
        from += part.size();
    }
    for (int i = 0; i + 1 < spans.size(); ++i)
        QVERIFY2(spans[i].second <= spans[i + 1].first + 1, qPrintable(parts[i + 1]));

    box->selectAll();
    QApplication::clipboard()->clear();
    QTest::keyClick(box, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QApplication::clipboard()->text(), read + "\n");
}

// Focus back to the message box after a menu item; the connect dialog's tab order and Enter;
// Escape closes the small windows.
void tst_DesktopHabits::keyboard_data()
{
    QTest::addColumn<QString>("window");
    QTest::newRow("connect") << "connect";
    QTest::newRow("anti-idle") << "anti-idle";
}

void tst_DesktopHabits::keyboard()
{
    QFETCH(QString, window);
    frmMain* m = h->main;
    m->show();
    QVERIFY(QTest::qWaitForWindowExposed(m));
    m->TxtGet->setFocus();
    m->mnuCommands->trigger();
    QTRY_VERIFY(m->TxtSend->hasFocus());

    if (window == "anti-idle") {
        m->mnuAntiMessage->trigger();
        frmAnti* anti = Forms<frmAnti>::get();
        QVERIFY(anti->isVisible());
        anti->txtAntiMessage->setText("changed");
        QTest::keyClick(anti->txtAntiMessage, Qt::Key_Escape);
        QVERIFY(!Forms<frmAnti>::isLoaded() || !Forms<frmAnti>::get()->isVisible());
        QVERIFY(m->isVisible());
        return;
    }
    m->mnuConnect->trigger();
    frmConnect* dialog = Forms<frmConnect>::get();
    QList<QWidget*> order{dialog->UserNamet, dialog->Passwordt,  dialog->txtChannel,
                          dialog->cmdServer, dialog->cmdConnect, dialog->cmdCancel};
    for (int i = 0; i + 1 < order.size(); ++i) {
        QWidget* next = order[i]->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus || next->focusProxy() == order[i])
            next = next->nextInFocusChain();
        QCOMPARE(next, order[i + 1]);
    }
    QTest::keyClick(dialog->UserNamet, Qt::Key_Escape);
    QTRY_VERIFY(!Forms<frmConnect>::isLoaded() || !Forms<frmConnect>::get()->isVisible());

    m->mnuConnect->trigger();
    dialog = Forms<frmConnect>::get();
    dialog->UserNamet->setText("Bob");
    dialog->Passwordt->setText("pw");
    dialog->cmdServer->setEditText(h->serverAddress());
    QTest::keyClick(dialog->Passwordt, Qt::Key_Return);
    QTRY_VERIFY(h->server.received().endsWith("Bob\r\npw\r\n"));
}

QTEST_MAIN(tst_DesktopHabits)
#include "tst_desktophabits.moc"
