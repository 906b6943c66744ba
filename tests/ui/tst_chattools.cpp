// Beside the talk: the user list's marks, the double click that whispers, the find bar and
// the logs on disk.
#include "ClientHarness.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/FindBar.h"
#include "ui/LogBox.h"
#include "ui/LogBoxWriters.h"
#include "ui/RankIcons.h"
#include "ui/UserListBox.h"
#include "ui/frmMain.h"

#include <QAccessible>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <memory>

using namespace Qt::StringLiterals;

namespace {
const QDateTime Now(QDate(2026, 12, 9), QTime(18, 40, 5));

QImage iconImage(const QIcon& icon)
{
    return icon.pixmap(16, 16).toImage();
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}
} // namespace

class tst_ChatTools : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { h.reset(); }

    void userMarks_data();
    void userMarks();
    void doubleClickWhispers_data();
    void doubleClickWhispers();
    void findBar_data();
    void findBar();
    void diskLog_data();
    void diskLog();
    void diskLogDaysAndPermissions();
    void diskLogFailureSaidOnce_data();
    void diskLogFailureSaidOnce();

private:
    QString logFolder() const { return h->dataFolder() + "/KxVantric/logs"; }

    std::unique_ptr<ClientHarness> h;
};

void tst_ChatTools::init()
{
    h = std::make_unique<ClientHarness>(false);
    QVERIFY(h->connectSocket());
    h->main->setDiskLogClock([] { return Now; });
    QVERIFY(h->showActive());
}

// After a channel line; the first item keeps the name as sent, whatever the marks.
void tst_ChatTools::userMarks_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<QString>("iconFlags");

    auto row = [](const char* name, const char* lines, const char* description, const char* toolTip,
                  const char* iconFlags) {
        QTest::newRow(name) << QByteArray(lines) << QString(description) << QString(toolTip)
                            << QString(iconFlags);
    };
    row("plain member", "1001 USER bob 0010 [CHAT]\r\n", "", "[CHAT]", "0010");
    row("administrator without a tag", "1001 USER bob 0001\r\n", "administrator", "administrator",
        "0001");
    row("join with voice", "1002 JOIN bob 0004 [SEXP]\r\n", "voice", "[SEXP]\nvoice", "0004");
    row("1009 makes an operator", "1001 USER bob 0010 [CHAT]\r\n1009 USER bob 0002\r\n",
        "channel operator", "[CHAT]\nchannel operator", "0002");
    row("1009 after a squelch", "1001 USER bob 0000 [CHAT]\r\n1009 USER bob 0030\r\n", "squelched",
        "[CHAT]\nsquelched", "0020");
    row("1009 twice, the last counts",
        "1001 USER bob 0010 [CHAT]\r\n1009 USER bob 0002\r\n1009 USER bob 0000\r\n", "", "[CHAT]",
        "0000");
    row("1009 about another user", "1001 USER bob 0010 [CHAT]\r\n1009 USER bobby 0001\r\n", "",
        "[CHAT]", "0010");
    row("1009 before the user is listed", "1009 USER bob 0001\r\n1001 USER bob 0010 [CHAT]\r\n", "",
        "[CHAT]", "0010");
    row("1009 without flags", "1001 USER bob 0002 [CHAT]\r\n1009 USER bob\r\n", "channel operator",
        "[CHAT]\nchannel operator", "0002");
}

void tst_ChatTools::userMarks()
{
    QFETCH(QByteArray, lines);
    QFETCH(QString, description);
    QFETCH(QString, toolTip);
    QFETCH(QString, iconFlags);

    QVERIFY(h->settle("1007 CHANNEL \"Chat\"\r\n" + lines));
    QCOMPARE(h->userList(), QStringList{"bob "});
    const QListWidgetItem* item = h->main->RoomList->item(0);
    QCOMPARE(item->toolTip(), toolTip);
    QCOMPARE(iconImage(item->icon()), iconImage(rankIcon(parseUserFlags(iconFlags))));
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(h->main->RoomList);
    QVERIFY(list && list->childCount() == 1);
    QCOMPARE(list->child(0)->text(QAccessible::Name), "bob ");
    QCOMPARE(list->child(0)->text(QAccessible::Description), description);
}

// `result` is the message box's text after the double click on "bob ".
void tst_ChatTools::doubleClickWhispers_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("result");
    QTest::newRow("empty box") << ""
                               << "/w bob ";
    QTest::newRow("what was typed stays") << "see you"
                                          << "/w bob see you";
    QTest::newRow("another addressee replaced") << "/w ann see you"
                                                << "/w bob see you";
}

void tst_ChatTools::doubleClickWhispers()
{
    QFETCH(QString, typed);
    QFETCH(QString, result);
    QVERIFY(h->settle("1007 CHANNEL \"Chat\"\r\n1001 USER ann 0010 [CHAT]\r\n"
                      "1001 USER bob 0002 [CHAT]\r\n"));
    h->main->TxtSend->setText(typed);
    h->main->TxtGet->setFocus();
    UserListBox* list = h->main->RoomList;
    const QPoint bob = list->visualItemRect(list->item(1)).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, bob);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, bob);
    QCOMPARE(h->main->TxtSend->text(), result);
    QCOMPARE(h->main->TxtSend->cursorPosition(), result.size());
    QTRY_VERIFY(h->main->TxtSend->hasFocus());
    QCOMPARE(h->userList(), QStringList({"ann ", "bob "}));
}

// The log: "alpha one", "beta two", "alpha three", "gamma", a hundred lines between the first
// three. `line`: the block of the selected match (-1: none); `said`: what the bar says.
void tst_ChatTools::findBar_data()
{
    QTest::addColumn<bool>("inWhisperLog");
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("said");

    auto row = [](const char* name, bool whisper, const char* keys, int line, const char* selected,
                  const char* said) {
        QTest::newRow(name) << whisper << QString(keys) << line << QString(selected)
                            << QString(said);
    };
    row("typing finds the first match", false, "alp", 0, "alp", "");
    row("typing on moves to the next that fits", false, "alpha t", 202, "alpha t", "");
    row("letter case ignored", false, "GAMMA", 203, "gamma", "");
    row("Enter: the next match", false, "alpha<Return>", 202, "alpha", "");
    row("Enter at the last match wraps", false, "alpha<Return><Return>", 0, "alpha",
        "From the top");
    row("Shift+Enter wraps back", false, "alpha<ShiftReturn>", 202, "alpha", "From the bottom");
    row("not found", false, "delta", -1, "", "Not found");
    row("found again after not found", false, "betax<Backspace>", 101, "beta", "");
    row("the whisper log when it has the focus", true, "alpha<Return>", 202, "alpha", "");
    row("the whisper log only", true, "gamma", -1, "", "Not found");
}

void tst_ChatTools::findBar()
{
    QFETCH(bool, inWhisperLog);
    QFETCH(QString, keys);
    QFETCH(int, line);
    QFETCH(QString, selected);
    QFETCH(QString, said);

    frmMain* w = h->main;
    LogBox* log = inWhisperLog ? w->TxtWhisper : w->TxtGet;
    const QStringList filler(100, QStringLiteral("filler"));
    const QString text = "alpha one\r\n" + filler.join("\r\n") + "\r\nbeta two\r\n" +
                         filler.join("\r\n") + "\r\nalpha three";
    AppendLine(log, text);
    if (!inWhisperLog)
        AppendLine(log, "gamma");
    const int chatHeight = w->TxtGet->height();
    log->setFocus();
    w->mnuFind->trigger();

    FindBar* bar = w->FindBar1;
    QVERIFY(bar->isVisible());
    QCOMPARE(bar->log(), log);
    QTRY_VERIFY(bar->findText->hasFocus());
    QCOMPARE(w->TxtGet->height() + bar->height(), chatHeight); // the bar sits below it
    QCOMPARE(bar->geometry().top(), w->TxtGet->geometry().bottom() + 1);
    QCOMPARE(w->size(), w->sizeHint());

    typeKeys(bar->findText, keys);
    const QTextCursor cursor = log->textCursor();
    QCOMPARE(bar->result->text(), said);
    QCOMPARE(cursor.selectedText(), selected);
    if (line >= 0) {
        QCOMPARE(cursor.blockNumber(), line);
        QVERIFY(log->viewport()->rect().contains(log->cursorRect(cursor).center()));
    }

    QTest::keyClick(bar->findText, Qt::Key_Escape);
    QVERIFY(!bar->isVisible());
    QCOMPARE(w->TxtGet->height(), chatHeight);
    QTRY_VERIFY(w->TxtSend->hasFocus());
    QCOMPARE(log->textCursor().selectedText(), selected); // the match stays selected
}

// What the server sends (after the logging is switched on) and what the day's file holds.
void tst_ChatTools::diskLog_data()
{
    QTest::addColumn<bool>("timestamps");
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("talk, whisper and a join")
        << false
        << QByteArray("1005 TALK bob 0010 \"hi\"\r\n1004 WHISPER bob 0010 \"psst\"\r\n"
                      "1002 JOIN ann 0010 [CHAT]\r\n")
        << QByteArray("2026-12-09 18:40:05 <TALK bob :>hi\n"
                      "2026-12-09 18:40:05  bob :(Whispered) psst\n"
                      "2026-12-09 18:40:05 ann  has joined the channel\n");
    QTest::newRow("without the log's own time stamps")
        << true << QByteArray("1018 INFO \"Welcome\"\r\n")
        << QByteArray("2026-12-09 18:40:05 Welcome\n");
    QTest::newRow("UTF-8, empty lines left out")
        << false
        << QByteArray("1018 INFO \"gr\xc3\xbc\xc3\x9f"
                      "e\"\r\n1018 INFO \"\"\r\n")
        << QByteArray("2026-12-09 18:40:05 gr\xc3\xbc\xc3\x9f"
                      "e\n");
}

void tst_ChatTools::diskLog()
{
    QFETCH(bool, timestamps);
    QFETCH(QByteArray, lines);
    QFETCH(QByteArray, file);

    frmMain* w = h->main;
    w->mnuJoinLeave->trigger();
    if (timestamps)
        w->mnuTimestamps->trigger();
    w->mnuLogToDisk->trigger();
    QCOMPARE(readSetting(ConfigurationKey::LogToDisk, "0"), "1");
    QVERIFY(h->settle(lines));
    const QString path = logFolder() + "/2026-12-09.log";
    QCOMPARE(fileBytes(path), file + "2026-12-09 18:40:05 #1\n");

    w->mnuLogToDisk->trigger(); // off: nothing more is written
    QCOMPARE(readSetting(ConfigurationKey::LogToDisk, "1"), "0");
    QVERIFY(h->settle("1018 INFO \"later\"\r\n"));
    QCOMPARE(fileBytes(path), file + "2026-12-09 18:40:05 #1\n");

    w->mnuOpenLogFolder->trigger();
    QCOMPARE(h->openedUrls, QList<QUrl>{QUrl::fromLocalFile(logFolder())});
}

// A file per day, owner-only, in an owner-only folder; a file that is there is added to.
void tst_ChatTools::diskLogDaysAndPermissions()
{
    QDateTime now = Now;
    h->main->setDiskLogClock([&now] { return now; });
    QVERIFY(QDir().mkpath(logFolder()));
    QFile old(logFolder() + "/2026-12-10.log");
    QVERIFY(old.open(QIODevice::WriteOnly) && old.write("old\n") == 4);
    old.close();

    h->main->mnuLogToDisk->trigger();
    QVERIFY(h->settle("1018 INFO \"one\"\r\n"));
    now = QDateTime(QDate(2026, 12, 10), QTime(0, 0, 1));
    QVERIFY(h->settle("1018 INFO \"two\"\r\n"));
    QCOMPARE(fileBytes(logFolder() + "/2026-12-09.log"),
             "2026-12-09 18:40:05 one\n2026-12-09 18:40:05 #1\n");
    QCOMPARE(fileBytes(logFolder() + "/2026-12-10.log"),
             "old\n2026-12-10 00:00:01 two\n2026-12-10 00:00:01 #2\n");
    QCOMPARE(QFileInfo(logFolder()).permissions() & 0x0777, QFileDevice::Permissions(0x0700));
    QCOMPARE(QFileInfo(logFolder() + "/2026-12-09.log").permissions() & 0x0777,
             QFileDevice::Permissions(0x0600));
}

// An unwritable log is told once and unchecks the item; checking it again tries again.
void tst_ChatTools::diskLogFailureSaidOnce_data()
{
    QTest::addColumn<bool>("diskFull");
    QTest::newRow("the log folder is a file") << false;
    QTest::newRow("a full disk") << true;
}

void tst_ChatTools::diskLogFailureSaidOnce()
{
    QFETCH(bool, diskFull);
    if (diskFull) {
        if (!QFileInfo::exists("/dev/full"))
            QSKIP("no /dev/full");
        QVERIFY(QDir().mkpath(logFolder()));
        QVERIFY(QFile::link("/dev/full", logFolder() + "/2026-12-09.log"));
    } else {
        QVERIFY(QDir().mkpath(h->dataFolder() + "/KxVantric"));
        QFile blocker(logFolder());
        QVERIFY(blocker.open(QIODevice::WriteOnly));
    }
    frmMain* w = h->main;
    const auto notices = [this] {
        return h->chatLog().count(
            "Logging to disk is off until Options > Log to Disk is checked again.");
    };
    w->mnuLogToDisk->trigger();
    QVERIFY(h->settle("1005 TALK bob 0010 \"one\"\r\n1005 TALK bob 0010 \"two\"\r\n"));
    QCOMPARE(notices(), 1);
    QVERIFY(h->chatLog().contains("Could not write the log to disk (" +
                                  QDir::toNativeSeparators(logFolder())));
    QVERIFY(!w->mnuLogToDisk->isChecked());
    QVERIFY(h->settle("1005 TALK bob 0010 \"three\"\r\n"));
    QCOMPARE(notices(), 1);

    w->mnuLogToDisk->trigger();
    QVERIFY(h->settle("1005 TALK bob 0010 \"four\"\r\n"));
    QCOMPARE(notices(), 2);
}

QTEST_MAIN(tst_ChatTools)
#include "tst_chattools.moc"
