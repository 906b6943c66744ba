// Faults the client must live through: a server that closes at a bad moment, never says
// anything, sends one byte at a time, floods without a line end, sends bytes no text should
// hold, or stops reading while the client sends; and a settings store that cannot be read
// or written. After each, the client is still running, its window answers, and every line
// that arrived complete has been shown.
#include "ClientHarness.h"
#include "RawPeer.h"
#include "commands/SendQueue.h"

#include "platform/ChatSocket.h"
#include "protocol/ReceivedText.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/frmConnect.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

#if defined(__SANITIZE_ADDRESS__)
#define UNDER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define UNDER_ASAN 1
#endif
#endif

#ifdef UNDER_ASAN
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

const QString LostNotice = QStringLiteral("Your connect to battle.net has been lost");

// Memory in use by the process, in bytes. Under AddressSanitizer the live heap: freed blocks
// wait in its quarantine and would make the resident size grow without a leak.
qint64 memoryInUse()
{
#ifdef UNDER_ASAN
    return qint64(__sanitizer_get_current_allocated_bytes());
#else
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
#endif
}

} // namespace

class tst_Faults : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void serverCloses_data();
    void serverCloses();
    void silentServer();
    void oneByteAtATime();
    void floodWithoutLineEnd();
    void hostileBytesInLines_data();
    void hostileBytesInLines();
    void serverStopsReading();
    void settingsStoreFaults_data();
    void settingsStoreFaults();

private:
    bool logIn();
    bool connectTo(RawPeer& peer);
    void expectAnswering();
    void expectIdle();

    std::unique_ptr<ClientHarness> h;
};

void tst_Faults::init()
{
    h = std::make_unique<ClientHarness>(false);
}

void tst_Faults::cleanup()
{
    h.reset();
}

bool tst_Faults::logIn()
{
    return h->logIn(QStringLiteral("bob")) > 0 && h->main->cmdSend->isEnabled();
}

bool tst_Faults::connectTo(RawPeer& peer)
{
    h->main->BattleSock->setRemoteHost(QStringLiteral("127.0.0.1"));
    h->main->BattleSock->setRemotePort(peer.port());
    h->main->BattleSock->Connect();
    return QTest::qWaitFor([&] { return peer.connection() != nullptr; }, 5000) &&
           QTest::qWaitFor(
               [&] { return h->main->BattleSock->state() == ChatSocket::State::Connected; }, 5000);
}

// An event posted now is handled at once, and typing reaches the input box.
void tst_Faults::expectAnswering()
{
    bool handled = false;
    QTimer::singleShot(0, h->main, [&] { handled = true; });
    QVERIFY(QTest::qWaitFor([&] { return handled; }, 1000));
    h->main->TxtSend->clear();
    QTest::keyClicks(h->main->TxtSend, QStringLiteral("still here"));
    QCOMPARE(h->main->TxtSend->text(), QStringLiteral("still here"));
    h->main->TxtSend->clear();
}

void tst_Faults::expectIdle()
{
    QCOMPARE(h->main->BattleSock->state(), ChatSocket::State::Closed);
    QVERIFY(!h->main->cmdSend->isEnabled());
    QVERIFY(!h->main->mnuDisconnect->isEnabled());
    QVERIFY(h->main->mnuConnect->isEnabled());
}

void tst_Faults::serverCloses_data()
{
    QTest::addColumn<QByteArray>("before");   // sent just before the server closes
    QTest::addColumn<QString>("shownBefore"); // the complete lines, as the log shows them

    // A close in the middle of a line: tst_connection.
    QTest::newRow("right after the login") << QByteArray() << QString();
    QByteArray burst;
    QString shown;
    for (int i = 0; i < 20000; ++i) {
        burst += "1005 TALK bob 0010 \"line " + QByteArray::number(i) + "\"\r\n";
        shown += QStringLiteral("<TALK bob :>line %1\r\n").arg(i);
    }
    QTest::newRow("while a burst is being handled") << burst << shown;
}

void tst_Faults::serverCloses()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, shownBefore);
    QVERIFY(logIn());
    h->server.sendRaw(before);
    h->server.closeSession();

    // The window gets turns while the lines are handled.
    int turns = 0;
    QTimer everyTurn;
    connect(&everyTurn, &QTimer::timeout, [&] { ++turns; });
    everyTurn.start(0);
    QTRY_VERIFY_WITH_TIMEOUT(h->chatLog().endsWith(LostNotice + "\r\n"), 30000);
    everyTurn.stop();
    QVERIFY(h->chatLog().startsWith(shownBefore));
    if (before.size() > 100000)
        QVERIFY2(turns > 5, qPrintable(QString::number(turns)));
    expectIdle();
    expectAnswering();
}

// A server that accepts the connection and never sends anything: the client waits without
// blocking and can still disconnect.
void tst_Faults::silentServer()
{
    QVERIFY(logIn());
    QTest::qWait(200);
    QVERIFY(h->chatLog().isEmpty());
    expectAnswering();
    h->main->mnuDisconnect->trigger();
    expectIdle();
    QTRY_VERIFY(!h->server.isSessionOpen());
}

// A whole session, every byte its own arrival, with every kind of line end.
void tst_Faults::oneByteAtATime()
{
    RawPeer peer;
    h->main->show();
    QVERIFY(QTest::qWaitForWindowExposed(h->main));
    QVERIFY(connectTo(peer));
    h->main->mnuJoinLeave->setChecked(true);

    const QByteArray ends[] = {"\r\n", "\n", "\r"};
    QByteArray session = "1007 CHANNEL \"Chat\"\r\n1001 USER ann 0010 [CHAT]\r\n";
    QString chat;
    QString whispers;
    for (int i = 0; i < 12; ++i) {
        const QByteArray n = QByteArray::number(i);
        const QByteArray end = ends[i % 3];
        session += "1002 JOIN u" + n + " 0010 [CHAT]" + end;
        session += "1005 TALK u" + n + " 0010 \"caf\xc3\xa9 " + n + "\"" + end;
        session += "1004 WHISPER u" + n + " 0000 \"psst " + n + "\"" + end;
        session += "1023 EMOTE u" + n + " 0010 \"waves\"" + end;
        session += "1018 INFO \"info " + n + "\"" + end;
        if (i % 2)
            session += "1003 LEAVE u" + n + " 0010" + end;
        chat += QStringLiteral("u%1  has joined the channel\r\n<TALK u%1 :>caf\u00e9 %1\r\n"
                               "u%1  waves\r\ninfo %1\r\n")
                    .arg(i);
        if (i % 2)
            chat += QStringLiteral("u%1 has left the channel\r\n").arg(i);
        whispers += QStringLiteral(" u%1 :(Whispered) psst %1\r\n").arg(i);
    }
    session += "1018 INFO \"the end\"\r\n";
    chat += "the end\r\n";

    QSignalSpy arrivals(h->main->BattleSock, &ChatSocket::DataArrival);
    for (const char byte : std::as_const(session)) {
        const qsizetype before = arrivals.size();
        peer.send(QByteArray(1, byte));
        // Polled without the pauses of QTest::qWaitFor, which would add 10 ms per byte.
        QDeadlineTimer deadline(2000);
        while (arrivals.size() == before && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        QVERIFY(arrivals.size() > before);
    }
    QCOMPARE(arrivals.size(), session.size());
    QTRY_COMPARE(h->chatLog(), chat);
    QCOMPARE(h->whisperLog(), whispers);
    QStringList users{"ann "};
    for (int i = 0; i < 12; i += 2)
        users << QStringLiteral("u%1 ").arg(i);
    QCOMPARE(h->userList(), users);
    QCOMPARE(h->status(), "You are connected to battle.net in channel: Chat. With 7 users");
    // Both logs show their latest line.
    for (LogBox* log : {h->main->TxtGet, h->main->TxtWhisper}) {
        QVERIFY(log->verticalScrollBar()->maximum() > 0);
        QCOMPARE(log->verticalScrollBar()->value(), log->verticalScrollBar()->maximum());
    }
    expectAnswering();
}

// 100 MB without a line end: the client holds no more than a line's worth of it, says that
// a line was dropped, and shows the proper line that follows.
void tst_Faults::floodWithoutLineEnd()
{
    RawPeer peer;
    QVERIFY(connectTo(peer));
    const QByteArray chunk(1024 * 1024, 'x');
    const qint64 total = 100 * chunk.size();
    QTcpSocket* out = peer.connection();
    const qint64 start = memoryInUse();
    qint64 highest = start;
    QElapsedTimer took;
    took.start();
    for (qint64 sent = 0; sent < total;) {
        // At most two chunks wait in the sender, so the memory measured is the client's.
        if (out->bytesToWrite() < 2 * chunk.size()) {
            out->write(chunk);
            sent += chunk.size();
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        highest = qMax(highest, memoryInUse());
        QVERIFY2(took.elapsed() < 60000, "the flood is not being read");
    }
    out->write("\r\n1018 INFO \"after the flood\"\r\n");
    QTRY_COMPARE_WITH_TIMEOUT(h->chatLog(), droppedLineNotice() + "\r\nafter the flood\r\n", 20000);
    const qint64 grown = highest - start;
    QVERIFY2(grown < 48 * 1024 * 1024, qPrintable(QStringLiteral("grew by %1 bytes").arg(grown)));
    QCOMPARE(h->main->BattleSock->state(), ChatSocket::State::Connected);
    expectAnswering();
}

void tst_Faults::hostileBytesInLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("chat");
    QTest::addColumn<QStringList>("users");

    QTest::newRow("NUL bytes in names and text")
        << QByteArrayLiteral("1001 USER b\0b 0010 [CHAT]\r\n1005 TALK b\0b 0010 \"x\0y\"\r\n")
        << QString::fromUtf8("<TALK b\u2400b :>x\u2400y\r\n") << QStringList{"b\u2400b "};
    QTest::newRow("a NUL name leaves like any other")
        << QByteArrayLiteral(
               "1001 USER b\0b 0010 [CHAT]\r\n1001 USER ann 0010\r\n1003 LEAVE b\0b 0010\r\n")
        << QString() << QStringList{"ann "};
    QTest::newRow("invalid UTF-8 falls back to 8-bit text")
        << QByteArray("1005 TALK \xff\xfe 0010 \"\xc0\xaf \xed\xa0\x80 \xf4\x90\x80\x80\"\r\n")
        << QString::fromUtf8("<TALK \u00ff\u00fe :>\u00c0\u00af \u00ed\u00a0\u20ac "
                             "\u00f4\ufffd\u20ac\u20ac\r\n")
        << QStringList();
    QTest::newRow("control characters and separators are shown, not obeyed")
        << QByteArray("1018 INFO \"a\x1b[2J\x08\x0b\x0c\x7f\xc2\x85\xe2\x80\xa8\xe2\x80\xa9z\"\r\n"
                      "1018 INFO \"next\"\r\n")
        << QString::fromUtf8("a\u241b[2J\u2408\u240b\u240c\u2421\ufffd\ufffd\ufffdz\r\nnext\r\n")
        << QStringList();
    QTest::newRow("a line of nothing but NUL bytes")
        << QByteArrayLiteral("\0\0\0\0\r\n1018 INFO \"after\"\r\n")
        << QString::fromUtf8("\u2400\u2400\u2400\u2400\r\nafter\r\n") << QStringList();
}

void tst_Faults::hostileBytesInLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, chat);
    QFETCH(QStringList, users);
    QVERIFY(h->connectSocket());
    h->server.sendRaw(bytes + "1018 INFO \"#end\"\r\n");
    QTRY_VERIFY(h->chatLog().endsWith("#end\r\n"));
    QCOMPARE(h->chatLog(), chat + "#end\r\n");
    QCOMPARE(h->userList(), users);
    expectAnswering();
}

// The server stops reading while the client sends 32 MB: every send returns at once, the
// window keeps answering, and once the server reads again everything arrives in order.
void tst_Faults::serverStopsReading()
{
    QVERIFY(logIn());
    const qsizetype loginSize = h->server.received().size();
    h->server.setReadingPaused(true);
    // About the connection outpacing the server, so the flood protection is off.
    h->main->outgoing->setLimits(FloodLimits{40, 5, 5, 160, false});

    QByteArray expected;
    qint64 slowest = 0;
    for (int i = 0; i < 256; ++i) {
        const QString text = QString(128 * 1024 - 8, QLatin1Char('a' + i % 26)) +
                             QString::number(i).rightJustified(6, QLatin1Char('0'));
        QElapsedTimer took;
        took.start();
        QVERIFY(h->main->SendLine(text));
        slowest = qMax(slowest, took.elapsed());
        expected += text.toUtf8() + "\r\n";
        QCoreApplication::processEvents();
    }
    QVERIFY2(slowest < 250, qPrintable(QStringLiteral("a send took %1 ms").arg(slowest)));
    QVERIFY(h->main->BattleSock->bytesToWrite() > 0); // the server really stopped reading
    expectAnswering();
    h->main->TxtSend->setText(QStringLiteral("hello"));
    h->main->cmdSend->click();
    QCOMPARE(h->chatLog(), QStringLiteral("bob: hello\r\n"));
    expected += "hello\r\n";

    h->server.setReadingPaused(false);
    QTRY_COMPARE_WITH_TIMEOUT(h->server.received().size() - loginSize, expected.size(), 30000);
    QVERIFY(h->server.received().mid(loginSize) == expected);
}

// A settings file that is damaged, or a settings folder that cannot be written: the
// connect dialog still opens and the login still goes out. A failed write is reported once,
// with the system's reason (a path through a file fails alike for root and everyone else).
void tst_Faults::settingsStoreFaults_data()
{
    QTest::addColumn<bool>("folderIsAFile");
    QTest::addColumn<QString>("storedName"); // Username read back after the login
    QTest::addColumn<QString>("chatLog");
    QTest::newRow("damaged file") << false << "bob"
                                  << "";
    QTest::newRow("settings folder cannot be created")
        << true << "Guest"
        << "The settings could not be saved: Not a directory.\r\n";
}

void tst_Faults::settingsStoreFaults()
{
    QFETCH(bool, folderIsAFile);
    QFETCH(QString, storedName);
    QFETCH(QString, chatLog);
    const QString home = h->settingsFolder();
    if (folderIsAFile) {
        QFile blocker(home + QStringLiteral("/blocker"));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(blocker.fileName() + "/config"));
    } else {
        QVERIFY(QDir(home).mkpath(QStringLiteral("KxVantric")));
        QFile damaged(home + QStringLiteral("/KxVantric/registry.reg"));
        QVERIFY(damaged.open(QIODevice::WriteOnly));
        damaged.write(QByteArrayLiteral("REGEDIT4\n[HKEY_LOC\x01\xff\0\"Username\"=\"x") +
                      QByteArray(5000, '\xee'));
    }

    // Opened directly: File > Connect would try the default server, off this machine.
    frmConnect* dialog = Forms<frmConnect>::get();
    dialog->show();
    QCOMPARE(dialog->UserNamet->text(), QStringLiteral("Guest"));
    dialog->UserNamet->setText(QStringLiteral("bob"));
    dialog->Passwordt->setText(QStringLiteral("pw"));
    dialog->cmdServer->setEditText(h->serverAddress());
    dialog->cmdConnect->click();
    QTRY_VERIFY(h->server.received().endsWith("bob\r\npw\r\n"));
    QVERIFY(h->main->cmdSend->isEnabled());
    QCOMPARE(readSetting(ConfigurationKey::Username, "Guest"), storedName);
    QCOMPARE(h->chatLog(), chatLog);
    expectAnswering();
}

QTEST_MAIN(tst_Faults)
#include "tst_faults.moc"
