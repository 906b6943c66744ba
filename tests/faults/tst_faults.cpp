// Faults to live through: one byte at a time, a flood without a line end, a server that stops
// reading, an unwritable settings folder. The window still answers and every line is shown.
#include "ClientHarness.h"
#include "RawPeer.h"
#include "commands/SendQueue.h"

#include "platform/ChatSocket.h"
#include "protocol/LineBuffer.h"
#include "protocol/ReceivedText.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/frmAnti.h"
#include "ui/frmConnect.h"
#include "ui/frmFlood.h"
#include "ui/frmMain.h"
#include "ui/frmScrollback.h"

#include <QAction>
#include <QComboBox>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

class tst_Faults : public QObject {
    Q_OBJECT

private slots:
    void init() { h = std::make_unique<ClientHarness>(false); }
    void cleanup() { h.reset(); }

    void oneByteAtATime();
    void floodWithoutLineEnd();
    void serverStopsReading();
    void settingsFolderCannotBeCreated();
    void everySettingsWriterTellsOnce_data();
    void everySettingsWriterTellsOnce();

private:
    void blockSettingsFolder();
    void writeSettingsBy(const QString& writer);
    bool connectTo(RawPeer& peer);
    void expectAnswering();

    std::unique_ptr<ClientHarness> h;
};

bool tst_Faults::connectTo(RawPeer& peer)
{
    h->main->startConnection(ServerAddress{QStringLiteral("127.0.0.1"), peer.port()});
    return QTest::qWaitFor([&] { return peer.connection() != nullptr; }, 5000) &&
           QTest::qWaitFor(
               [&] { return h->main->connection().state() == ChatSocket::State::Connected; }, 5000);
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
    QStringList users{"ann "};
    for (int i = 0; i < 12; ++i) {
        const QByteArray n = QByteArray::number(i);
        const QByteArray end = ends[i % 3];
        session += "1002 JOIN u" + n + " 0010 [CHAT]" + end + "1005 TALK u" + n +
                   " 0010 \"caf\xc3\xa9 " + n + "\"" + end + "1004 WHISPER u" + n +
                   " 0000 \"psst\"" + end;
        chat +=
            QStringLiteral("u%1  has joined the channel\r\n<TALK u%1 :>caf\u00e9 %1\r\n").arg(i);
        whispers += QStringLiteral(" u%1 :(Whispered) psst\r\n").arg(i);
        if (i % 2) {
            session += "1003 LEAVE u" + n + " 0010" + end;
            chat += QStringLiteral("u%1 has left the channel\r\n").arg(i);
        } else {
            users << QStringLiteral("u%1 ").arg(i);
        }
    }
    session += "1018 INFO \"the end\"\r\n";
    chat += "the end\r\n";

    QSignalSpy arrivals(&h->main->connection(), &ChatSocket::DataArrival);
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
    QCOMPARE(h->userList(), users);
    QCOMPARE(h->status(), "You are connected to battle.net in channel: Chat. With 7 users");
    // Both logs show their latest line.
    for (LogBox* log : {h->main->TxtGet, h->main->TxtWhisper}) {
        QVERIFY(log->verticalScrollBar()->maximum() > 0);
        QCOMPARE(log->verticalScrollBar()->value(), log->verticalScrollBar()->maximum());
    }
    expectAnswering();
}

// 100 MB without a line end: bounded memory, a dropped-line notice, the next line shown.
void tst_Faults::floodWithoutLineEnd()
{
    RawPeer peer;
    QVERIFY(connectTo(peer));
    const QByteArray chunk(1024 * 1024, 'x');
    QTcpSocket* out = peer.connection();
    qint64 mostInSocket = 0;
    qsizetype mostWaiting = 0;
    QElapsedTimer took;
    took.start();
    for (int sent = 0; sent < 100;) {
        // At most two chunks wait in the sender, so the flood goes as fast as it is read.
        if (out->bytesToWrite() < 2 * chunk.size()) {
            out->write(chunk);
            ++sent;
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        mostInSocket = qMax(mostInSocket, h->main->connection().bytesAvailable());
        mostWaiting = qMax(mostWaiting, h->main->receivedBytesWaiting());
        QVERIFY2(took.elapsed() < 60000, "the flood is not being read");
    }
    out->write("\r\n1018 INFO \"after the flood\"\r\n");
    QTRY_COMPARE_WITH_TIMEOUT(h->chatLog(), droppedLineNotice() + "\r\nafter the flood\r\n", 20000);
    QVERIFY2(mostInSocket <= ChatSocket::ReadBufferSize, qPrintable(QString::number(mostInSocket)));
    QVERIFY2(mostWaiting <= LineBuffer::MaxLineLength, qPrintable(QString::number(mostWaiting)));
    QCOMPARE(h->main->connection().state(), ChatSocket::State::Connected);
    expectAnswering();
}

// 32 MB to a server that stopped reading: sends return at once, the window answers, and
// everything arrives in order once the server reads again.
void tst_Faults::serverStopsReading()
{
    QVERIFY(h->logIn(QStringLiteral("bob")) > 0);
    const qsizetype loginSize = h->server.received().size();
    h->server.setReadingPaused(true);
    // About the connection outpacing the server, so the flood protection is off.
    h->main->setFloodLimits(FloodLimits{40, 5, 5, 160, false});

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
    QVERIFY(h->main->connection().bytesToWrite() > 0); // the server really stopped reading
    expectAnswering();
    h->main->TxtSend->setText(QStringLiteral("hello"));
    h->main->cmdSend->click();
    QCOMPARE(h->chatLog(), QStringLiteral("bob: hello\r\n"));
    expected += "hello\r\n";

    h->server.setReadingPaused(false);
    QTRY_COMPARE_WITH_TIMEOUT(h->server.received().size() - loginSize, expected.size(), 30000);
    QVERIFY(h->server.received().mid(loginSize) == expected);
}

// A settings folder below a file (refused for root as well): the login still goes out and
// the failed write is reported once, with the system's reason.
void tst_Faults::blockSettingsFolder()
{
    QFile blocker(h->settingsFolder() + QStringLiteral("/blocker"));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(blocker.fileName() + "/config"));
}

void tst_Faults::settingsFolderCannotBeCreated()
{
    blockSettingsFolder();

    // Opened directly: File > Connect would try the default server, off this machine.
    frmConnect* dialog = Forms<frmConnect>::get();
    dialog->show();
    dialog->UserNamet->setText(QStringLiteral("bob"));
    dialog->Passwordt->setText(QStringLiteral("pw"));
    dialog->cmdServer->setEditText(h->serverAddress());
    dialog->cmdConnect->click();
    QTRY_VERIFY(h->server.received().endsWith("bob\r\npw\r\n"));
    QVERIFY(h->main->cmdSend->isEnabled());
    QCOMPARE(readSetting(ConfigurationKey::Username, "Guest"), QStringLiteral("Guest"));
    QCOMPARE(h->chatLog(), QStringLiteral("The settings could not be saved: Not a directory.\r\n"));
    expectAnswering();
}

void tst_Faults::writeSettingsBy(const QString& writer)
{
    if (writer == "Timestamps") {
        h->main->mnuTimestamps->trigger();
    } else if (writer == "Reconnect") {
        h->main->mnuReconnect->trigger();
    } else if (writer == "Scrollback") {
        h->main->mnuScrollback->trigger();
        auto* dialog = h->main->findChild<frmScrollback*>();
        QVERIFY(dialog);
        dialog->txtLines->setText(QStringLiteral("500"));
        dialog->cmdOkay->click();
        QTRY_VERIFY(!h->main->findChild<frmScrollback*>());
    } else if (writer == "Flood Protection") {
        h->main->mnuFlood->trigger();
        Forms<frmFlood>::get()->cmdOkay->click(); // the limits shown are usable
        QTRY_VERIFY(!Forms<frmFlood>::isLoaded());
    } else if (writer == "Anti-Idle Message") {
        h->main->mnuAntiMessage->trigger();
        Forms<frmAnti>::get()->txtAntiMessage->setText(QStringLiteral("away"));
        Forms<frmAnti>::get()->cmdOkay->click();
    }
}

// Every settings writer: a refused write is told once per cause; a good write ends the cause.
void tst_Faults::everySettingsWriterTellsOnce_data()
{
    QTest::addColumn<QString>("writer");
    QTest::addColumn<bool>("mendedBetween"); // a write succeeds between the two tries
    for (const char* writer :
         {"Timestamps", "Reconnect", "Scrollback", "Flood Protection", "Anti-Idle Message"})
        QTest::newRow(writer) << QString::fromLatin1(writer) << false;
    QTest::newRow("Timestamps, folder mended between") << QStringLiteral("Timestamps") << true;
}

void tst_Faults::everySettingsWriterTellsOnce()
{
    QFETCH(QString, writer);
    QFETCH(bool, mendedBetween);
    h->main->show();
    QVERIFY(QTest::qWaitForWindowExposed(h->main));
    const QByteArray writable = qgetenv("XDG_CONFIG_HOME");
    blockSettingsFolder();
    const QString notice = QStringLiteral("The settings could not be saved: Not a directory.");
    writeSettingsBy(writer);
    QCOMPARE(h->chatLog().count(notice), 1);
    if (mendedBetween) {
        qputenv("XDG_CONFIG_HOME", writable);
        writeSettingsBy(writer);
        blockSettingsFolder();
    }
    writeSettingsBy(writer);
    QCOMPARE(h->chatLog().count(notice), mendedBetween ? 2 : 1);
    QCOMPARE(h->chatLog().count(QStringLiteral("\r\n")), h->chatLog().count(notice));
    expectAnswering();
}

QTEST_MAIN(tst_Faults)
#include "tst_faults.moc"
