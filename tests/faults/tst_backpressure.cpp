// A server faster than the client: TCP flow control holds it back instead of memory growing,
// the window gets its turns, and every line is shown in order before the loss is reported.
#include "ArrivalFeed.h"
#include "ClientHarness.h"

#include "platform/ChatSocket.h"
#include "protocol/LineBuffer.h"
#include "ui/LogBox.h"
#include "ui/frmMain.h"

#include <QTest>
#include <QTextDocument>
#include <QTimer>

#include <functional>
#include <memory>

class tst_Backpressure : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { h.reset(); }

    void fastSenderIsHeldBack();
    void hugeArrivalIsTakenInPiecesWithTurnsBetween();

private:
    // 40,000 info lines of `size` bytes, and how the chat log shows them.
    void makeBurst(int size);
    // Sends, then runs until the chat log ends with `last`, noting whenever the window got a
    // turn the most bytes the client held and the most lines shown since the turn before.
    void sendAndWatch(const std::function<void()>& send, const QString& last);

    std::unique_ptr<ClientHarness> h;
    QByteArray burst;
    QString shown;
    qint64 mostInSocket = 0;
    qsizetype mostWaiting = 0;
    int mostLinesPerTurn = 0;
};

void tst_Backpressure::init()
{
    h = std::make_unique<ClientHarness>(false);
    mostInSocket = 0;
    mostWaiting = 0;
    mostLinesPerTurn = 0;
}

void tst_Backpressure::makeBurst(int size)
{
    burst.clear();
    shown.clear();
    for (int i = 0; i < 40000; ++i) {
        const QByteArray text = QByteArray::number(i).leftJustified(size - 14, 'z');
        burst += "1018 INFO \"" + text + "\"\r\n";
        shown += QString::fromLatin1(text) + "\r\n";
    }
}

void tst_Backpressure::sendAndWatch(const std::function<void()>& send, const QString& last)
{
    int linesBefore = 0;
    QTimer everyTurn;
    connect(&everyTurn, &QTimer::timeout, this, [&] {
        mostInSocket = qMax(mostInSocket, h->main->connection().bytesAvailable());
        mostWaiting = qMax(mostWaiting, h->main->receivedBytesWaiting());
        const int lines = h->main->TxtGet->document()->blockCount();
        mostLinesPerTurn = qMax(mostLinesPerTurn, lines - linesBefore);
        linesBefore = lines;
    });
    everyTurn.start(0);
    send();
    QTRY_VERIFY_WITH_TIMEOUT(h->chatLog().endsWith(last), 60000);
}

// 8 MB at once, then the close: at each turn the client holds at most its buffers' limits.
void tst_Backpressure::fastSenderIsHeldBack()
{
    const QString lostNotice = QStringLiteral("Your connect to battle.net has been lost\r\n");
    makeBurst(200);
    QVERIFY(h->connectSocket());
    sendAndWatch(
        [&] {
            h->server.sendRaw(burst);
            h->server.closeSession();
        },
        lostNotice);
    QCOMPARE(h->chatLog(), shown + lostNotice);
    QVERIFY2(mostInSocket <= ChatSocket::ReadBufferSize, qPrintable(QString::number(mostInSocket)));
    // The line end that finishes the last line at the close comes on top.
    QVERIFY2(mostWaiting <= LineBuffer::MaxBufferedBytes + 2,
             qPrintable(QString::number(mostWaiting)));
}

// However much the socket hands over at once, the line buffer takes only what it has room
// for, and the rest in later pieces. A full buffer holds over 13,000 of these short lines;
// the window gets a turn after MaxReceiveWorkMs of work, long before they are all shown.
void tst_Backpressure::hugeArrivalIsTakenInPiecesWithTurnsBetween()
{
    makeBurst(19);
    ArrivalFeed feed(h->main);
    sendAndWatch([&] { feed.arrive(burst); }, shown.right(30));
    QCOMPARE(h->chatLog(), shown);
    QVERIFY2(mostWaiting <= LineBuffer::MaxBufferedBytes, qPrintable(QString::number(mostWaiting)));
    QVERIFY2(mostLinesPerTurn < 4000, qPrintable(QString::number(mostLinesPerTurn)));
}

QTEST_MAIN(tst_Backpressure)
#include "tst_backpressure.moc"
