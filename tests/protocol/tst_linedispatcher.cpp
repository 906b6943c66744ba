// The receive pump fed directly, on the test's clock, its yields running the test's steps:
// the order of lines, turns and the end of the stream, exactly.
#include "protocol/LineDispatcher.h"

#include <QEventLoop>
#include <QTest>
#include <QTimer>

#include <memory>

class tst_LineDispatcher : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { pump.reset(); }

    void linesTurnsAndTheEnd_data();
    void linesTurnsAndTheEnd();

private:
    // One step; several are joined by '&'. "!bytes": the bytes arrive and are announced;
    // "+bytes": they wait at the source unannounced; "E": the stream ends; "A": a new
    // stream starts; "S": the program stops.
    void run(const QString& step);
    void runNextLater();
    // A line "loop" makes its handler run an event loop of its own (a pop-up menu) until
    // the line "quit" has been handled; the next later step runs inside that loop.
    void onLine(const QByteArray& line, bool unterminated);

    std::unique_ptr<LineDispatcher> pump;
    QByteArray atSource;
    QStringList later; // run one by one, at each turn and at the start of each nested loop
    QStringList trace;
    qint64 now = 0;
    int msPerLine = 0;
    QEventLoop* menuLoop = nullptr;
};

void tst_LineDispatcher::init()
{
    atSource.clear();
    later.clear();
    trace.clear();
    now = 0;
    msPerLine = 0;
    LineDispatcher::Source source;
    source.bytesAvailable = [this] { return atSource.size(); };
    source.read = [this](qint64 maxBytes) {
        const QByteArray front = atSource.left(maxBytes);
        atSource.remove(0, front.size());
        return front;
    };
    LineDispatcher::Handlers handlers;
    handlers.line = [this](const QByteArray& line, bool unterminated) {
        onLine(line, unterminated);
    };
    handlers.droppedLine = [this] { trace << "D"; };
    handlers.endOfStream = [this] { trace << "E"; };
    pump = std::make_unique<LineDispatcher>(std::move(source), std::move(handlers));
    pump->setClock([this] { return now; });
    pump->setYield([this] {
        trace << "Y";
        runNextLater();
    });
}

void tst_LineDispatcher::run(const QString& step)
{
    for (const QString& op : step.split(QLatin1Char('&'))) {
        const QByteArray bytes = op.mid(1).toLatin1();
        switch (op.at(0).toLatin1()) {
        case '!':
            atSource += bytes;
            pump->receive();
            break;
        case '+':
            atSource += bytes;
            break;
        case 'E':
            pump->endOfStream();
            break;
        case 'A':
            pump->startAfresh();
            break;
        case 'S':
            pump->stop();
            break;
        }
    }
}

void tst_LineDispatcher::runNextLater()
{
    if (!later.isEmpty())
        run(later.takeFirst());
}

void tst_LineDispatcher::onLine(const QByteArray& line, bool unterminated)
{
    trace << QString::fromLatin1(line) + (unterminated ? "~" : "");
    now += msPerLine;
    if (line == "quit" && menuLoop)
        menuLoop->quit();
    if (line != "loop")
        return;
    QEventLoop loop;
    menuLoop = &loop;
    QTimer::singleShot(0, this, [this] { runNextLater(); });
    QTimer::singleShot(5000, &loop, &QEventLoop::quit); // a failing row ends all the same
    loop.exec();
    menuLoop = nullptr;
    trace << "]"; // the menu has closed
}

void tst_LineDispatcher::linesTurnsAndTheEnd_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("laterSteps");
    QTest::addColumn<int>("msPerLine");
    QTest::addColumn<QString>("expected");

    const QStringList none;
    QTest::newRow("an arrival's lines, then a turn")
        << QStringList{"!a\r\nb\n"} << none << 0 << "a|b|Y";
    QTest::newRow("a line over two arrivals")
        << QStringList{"!1\r\n2", "!2\r\n"} << none << 0 << "1|Y|22|Y";
    QTest::newRow("empty arrival") << QStringList{"!"} << none << 0 << "";
    QTest::newRow("a turn once the work took MaxReceiveWorkMs")
        << QStringList{"!a\r\nb\r\nc\r\nd\r\ne\r\n"} << none << 10 << "a|b|Y|c|d|Y|e|Y";
    QTest::newRow("an arrival during a turn comes after the lines before it")
        << QStringList{"!a\r\nb\r\nc\r\n"} << QStringList{"!x\r\n"} << 10 << "a|b|Y|c|x|Y";
    QTest::newRow("unannounced bytes are read after each turn")
        << QStringList{"!a\r\nb\r\nc\r\n"} << QStringList{"+x\r\n", "+y\r\n"} << 10
        << "a|b|Y|c|x|Y|y|Y";
    QTest::newRow("an overlong line is dropped in its place")
        << QStringList{"!a\r\n" + QString(LineBuffer::MaxLineLength + 1, 'x') + "\r\nb\r\n"} << none
        << 0 << "a|D|b|Y";
    QTest::newRow("the end after the unfinished last line")
        << QStringList{"!a\r\nhal", "E"} << none << 0 << "a|Y|hal~|Y|E";
    QTest::newRow("the end with nothing left") << QStringList{"E"} << none << 0 << "E";
    QTest::newRow("an end during a turn waits for the lines before it")
        << QStringList{"!a\r\nb\r\nc\r\n"} << QStringList{"E"} << 10 << "a|b|Y|c|Y|E";
    QTest::newRow("a new stream drops the unfinished line")
        << QStringList{"!a\r\nhal", "A", "!lo\r\n"} << none << 0 << "a|Y|lo|Y";
    QTest::newRow("a new stream reports a waiting end first, then drops the old lines")
        << QStringList{"!a\r\nb\r\nc\r\nd\r\ne\r\n"} << QStringList{"E", "A&!n\r\n"} << 10
        << "a|b|Y|c|d|Y|E|n|Y";
    QTest::newRow("stopped: no further line and no end")
        << QStringList{"!a\r\nb\r\nc\r\n"} << QStringList{"S&E"} << 10 << "a|b|Y";
    QTest::newRow("stopped: nothing more is handled")
        << QStringList{"S", "!a\r\n", "E"} << none << 0 << "";
    // A menu's event loop inside a handler: the lines that come meanwhile are handled in it,
    // after the ones already buffered; the interrupted dispatch then goes on.
    QTest::newRow("lines arrive while a menu is open")
        << QStringList{"!a\r\nloop\r\nb\r\n"} << QStringList{"+c\r\nquit\r\n"} << 0
        << "a|loop|b|c|quit|Y|]|Y";
    QTest::newRow("the end while a menu is open, reported once")
        << QStringList{"!a\r\nloop\r\nquit\r\n"} << QStringList{"E"} << 0 << "a|loop|quit|Y|E|]|Y";
    QTest::newRow("after the menu, the rest of the turn")
        << QStringList{"!loop\r\nquit\r\n"} << QStringList{"+", "!z\r\n"} << 0
        << "loop|quit|Y|z|Y|]|Y";
}

void tst_LineDispatcher::linesTurnsAndTheEnd()
{
    QFETCH(QStringList, steps);
    QFETCH(QStringList, laterSteps);
    QFETCH(int, msPerLine);
    QFETCH(QString, expected);

    later = laterSteps;
    this->msPerLine = msPerLine;
    for (const QString& step : std::as_const(steps))
        run(step);
    QCOMPARE(trace.join(QLatin1Char('|')), expected);
}

QTEST_MAIN(tst_LineDispatcher)
#include "tst_linedispatcher.moc"
