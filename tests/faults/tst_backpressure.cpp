// A server that sends faster than the client can show: the client takes from the network
// only what it will handle soon, so the sender is held back by TCP flow control instead of
// the client's memory growing, and still every line is shown, in order, before the lost
// connection is reported.
#include "ClientHarness.h"

#include "platform/ChatSocket.h"
#include "protocol/LineBuffer.h"
#include "protocol/LogBoxWriters.h"
#include "ui/frmMain.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>

namespace {
const QString LostNotice = QStringLiteral("Your connect to battle.net has been lost");
} // namespace

class tst_Backpressure : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void fastSenderIsHeldBack();
    void hugeArrivalIsTakenInPieces();
    void bytesBeforeACloseComeBeforeTheLoss();

private:
    // Sends, then runs until the chat log ends with `last`, noting the most bytes the client
    // held whenever the window got a turn.
    void sendAndWatch(const std::function<void()>& send, const QString& last);

    std::unique_ptr<ClientHarness> h;
    QByteArray burst;
    QString shown;
    qint64 mostInSocket = 0;
    qsizetype mostWaiting = 0;
};

void tst_Backpressure::init()
{
    h = std::make_unique<ClientHarness>(false);
    burst.clear();
    shown.clear();
    const QByteArray filler(190, 'z');
    for (int i = 0; i < 40000; ++i) {
        burst += "1018 INFO \"" + QByteArray::number(i) + ' ' + filler + "\"\r\n";
        shown += QString::number(i) + ' ' + QString::fromLatin1(filler) + "\r\n";
    }
    mostInSocket = 0;
    mostWaiting = 0;
}

void tst_Backpressure::cleanup()
{
    h.reset();
}

void tst_Backpressure::sendAndWatch(const std::function<void()>& send, const QString& last)
{
    QTimer everyTurn;
    connect(&everyTurn, &QTimer::timeout, this, [&] {
        mostInSocket = qMax(mostInSocket, h->main->BattleSock->bytesAvailable());
        mostWaiting = qMax(mostWaiting, h->main->receivedBytesWaiting());
    });
    everyTurn.start(0);
    send();
    QTRY_VERIFY_WITH_TIMEOUT(h->chatLog().endsWith(last), 60000);
}

// 8 MB of lines written at once, then the close. Whenever the window gets a turn, the
// client holds at most its limits: the socket's buffer and the line buffer's.
void tst_Backpressure::fastSenderIsHeldBack()
{
    QVERIFY(h->connectSocket());
    sendAndWatch(
        [&] {
            h->server.sendRaw(burst);
            h->server.closeSession();
        },
        LostNotice + "\r\n");
    QCOMPARE(h->chatLog(), shown + LostNotice + "\r\n");
    QVERIFY2(mostInSocket <= ChatSocket::ReadBufferSize, qPrintable(QString::number(mostInSocket)));
    // The line end that finishes the last line at the close comes on top.
    QVERIFY2(mostWaiting <= LineBuffer::MaxBufferedBytes + 2,
             qPrintable(QString::number(mostWaiting)));
}

// However much the socket hands over at once, the line buffer takes only what it has room
// for, and the rest in later pieces.
void tst_Backpressure::hugeArrivalIsTakenInPieces()
{
    sendAndWatch([&] { h->main->BattleSock->injectArrivalForTesting(burst); }, shown.right(300));
    QCOMPARE(h->chatLog(), shown);
    QVERIFY2(mostWaiting <= LineBuffer::MaxBufferedBytes, qPrintable(QString::number(mostWaiting)));
}

// A reader that takes a little at a time, and never all at once, still gets every byte that
// came before the close, and hears of the close only after the last of them.
void tst_Backpressure::bytesBeforeACloseComeBeforeTheLoss()
{
    ChatSocket socket;
    QSignalSpy connected(&socket, &ChatSocket::Connected);
    socket.setRemoteHost(QStringLiteral("127.0.0.1"));
    socket.setRemotePort(h->server.serverPort());
    socket.Connect();
    QVERIFY(connected.wait(5000));
    QTRY_COMPARE(h->server.sessionCount(), 1);

    QByteArray sent;
    for (int i = 0; sent.size() < 4 * ChatSocket::ReadBufferSize; ++i)
        sent += QByteArray::number(i) + ',';
    QByteArray received;
    qsizetype receivedAtLoss = -1;
    connect(&socket, &ChatSocket::DataArrival, this, [&] { received += socket.GetData(1000); });
    connect(&socket, &ChatSocket::ConnectionLost, this, [&] { receivedAtLoss = received.size(); });
    QTimer everyTurn;
    connect(&everyTurn, &QTimer::timeout, this, [&] { received += socket.GetData(1000); });
    everyTurn.start(0);

    h->server.sendRaw(sent);
    h->server.closeSession();
    QTRY_VERIFY_WITH_TIMEOUT(receivedAtLoss >= 0, 20000);
    QCOMPARE(receivedAtLoss, sent.size());
    QCOMPARE(received, sent);
    QCOMPARE(socket.state(), ChatSocket::State::Closed);
}

QTEST_MAIN(tst_Backpressure)
#include "tst_backpressure.moc"
