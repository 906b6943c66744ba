#include "ReceiveRuns.h"

#include "BenchApplication.h"
#include "BenchWindows.h"

#include "ArrivalFeed.h"
#include "ChatTraffic.h"
#include "ProcessMemory.h"

#include "protocol/LineBuffer.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/Scrollback.h"
#include "ui/StatusLine.h"
#include "ui/UserListBox.h"
#include "ui/frmMain.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextBlock>

#include <cstdio>

namespace {

using namespace BenchWindows;

// Lines each log keeps by default (the client's settings are empty); the bare boxes keep as
// many.
const int KeptLines = Scrollback::defaultLines();

void report(const QString& mode, int lines, qint64 ns, long long inputKb)
{
    std::printf("result %s lines=%d ns=%lld peak_kb=%lld input_kb=%lld paints=%lld paint_ns=%lld\n",
                qPrintable(mode), lines, static_cast<long long>(ns),
                ProcessMemory::peakResidentKb(), inputKb, BenchApplication::paints,
                BenchApplication::paintNs);
    std::fflush(stdout);
}

// The arrivals of the stream, cut where makeArrivalSizes says, without copying.
QList<QByteArray> cutIntoArrivals(const QByteArray& stream)
{
    QList<QByteArray> arrivals;
    qsizetype offset = 0;
    for (qsizetype size : makeArrivalSizes(stream.size(), 1024, 16 * 1024)) {
        arrivals.append(QByteArray::fromRawData(stream.constData() + offset, size));
        offset += size;
    }
    return arrivals;
}

int runCut(int count)
{
    const QByteArray stream = makeServerStream(count);
    const QList<QByteArray> arrivals = cutIntoArrivals(stream);
    const long long inputKb = ProcessMemory::residentKb();

    // Repeated until the time is long enough to measure; the figure is per pass.
    QElapsedTimer timer;
    timer.start();
    int passes = 0;
    qint64 lines = 0;
    do {
        LineBuffer buffer;
        QByteArray line;
        for (const QByteArray& arrival : arrivals) {
            buffer.append(arrival);
            while (buffer.takeLine(&line))
                ++lines;
        }
        ++passes;
    } while (timer.elapsed() < 300);
    const qint64 ns = timer.nsecsElapsed() / passes;
    report(QStringLiteral("cut"), count, ns, inputKb);
    return lines == qint64(count) * passes ? 0 : 1;
}

// The block texts of a log box are exactly the last lines of `expected` that the box keeps;
// after a final line end the box also has an empty last block.
bool logShows(const QPlainTextEdit* box, QStringList expected, bool endsWithLineEnd)
{
    expected = expected.mid(qMax(qsizetype(0), expected.size() - KeptLines));
    if (endsWithLineEnd)
        expected.append(QString());
    if (box->document()->blockCount() != expected.size())
        return false;
    QTextBlock block = box->document()->begin();
    for (const QString& line : std::as_const(expected)) {
        if (block.text() != line) {
            std::fprintf(stderr, "log differs at \"%s\"\n", qPrintable(line));
            return false;
        }
        block = block.next();
    }
    return true;
}

int runFull(int count, bool oneArrival)
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    frmMain* main = Forms<frmMain>::get();
    main->show();
    waitUntilExposed(main);

    const QByteArray stream = makeServerStream(count);
    const QList<QByteArray> arrivals =
        oneArrival ? QList<QByteArray>{stream} : cutIntoArrivals(stream);
    const long long inputKb = ProcessMemory::residentKb();

    ArrivalFeed feed(main);
    QElapsedTimer timer;
    timer.start();
    for (const QByteArray& arrival : arrivals)
        feed.arrive(arrival);
    QCoreApplication::processEvents();
    const qint64 ns = timer.nsecsElapsed();
    report(oneArrival ? QStringLiteral("full-one") : QStringLiteral("full"), count, ns, inputKb);

    // Everything arrived whole and in order: the logs hold exactly the expected lines.
    ChatTraffic traffic;
    QStringList chat;
    QStringList whispers;
    for (int i = 0; i < count; ++i) {
        ChatTraffic::Line line = traffic.next();
        if (line.log == ChatTraffic::Log::Chat)
            chat.append(line.display);
        else if (line.log == ChatTraffic::Log::Whisper)
            whispers.append(line.display);
    }
    const bool ok = logShows(main->TxtGet, chat, true) &&
                    logShows(main->TxtWhisper, whispers, true) &&
                    main->RoomList->count() == traffic.userCount() &&
                    main->StatusBar1->simpleText().endsWith(
                        QStringLiteral("With %1 users").arg(traffic.userCount()));
    Forms<frmMain>::unloadNow();
    return ok ? 0 : 1;
}

int runBare(int count, bool logSettings, bool passAfterEveryLine)
{
    QPlainTextEdit box;
    box.resize(LogWidth, LogHeight);
    box.setMaximumBlockCount(KeptLines);
    if (logSettings) {
        box.setReadOnly(true);
        box.setUndoRedoEnabled(false);
    }
    box.show();
    waitUntilExposed(&box);

    ChatTraffic traffic;
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        ChatTraffic::Line line = traffic.next();
        if (line.log != ChatTraffic::Log::None)
            lines.append(line.display);
    }
    const long long inputKb = ProcessMemory::residentKb();

    QElapsedTimer timer;
    timer.start();
    for (const QString& line : std::as_const(lines)) {
        box.appendPlainText(line);
        if (passAfterEveryLine)
            QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
    const qint64 ns = timer.nsecsElapsed();
    report(passAfterEveryLine ? QStringLiteral("bare-pass")
           : logSettings      ? QStringLiteral("bare-log")
                              : QStringLiteral("bare"),
           count, ns, inputKb);
    return logShows(&box, lines, false) ? 0 : 1;
}

} // namespace

int runReceiveMeasurement(const QString& mode, int lines)
{
    if (mode == QLatin1String("cut"))
        return runCut(lines);
    if (mode == QLatin1String("full"))
        return runFull(lines, false);
    if (mode == QLatin1String("full-one"))
        return runFull(lines, true);
    if (mode == QLatin1String("bare"))
        return runBare(lines, false, false);
    if (mode == QLatin1String("bare-log"))
        return runBare(lines, true, false);
    if (mode == QLatin1String("bare-pass"))
        return runBare(lines, false, true);
    std::fprintf(stderr, "unknown mode %s\n", qPrintable(mode));
    return 2;
}
