#include "FloodRuns.h"

#include "BenchWindows.h"
#include "DelayProbe.h"
#include "FloodServer.h"
#include "ProcessMemory.h"

#include "platform/ChatSocket.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/Scrollback.h"
#include "ui/frmMain.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QMap>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTimer>

#include <cstdio>
#include <optional>
#include <unistd.h>

namespace {

using namespace BenchWindows;

// Lines each log keeps by default (the client's settings are empty); the bare box keeps as
// many.
const int ScrollbackLines = Scrollback::defaultLines();

const QString LostNotice = QStringLiteral("Your connect to battle.net has been lost");

struct Outcome {
    int seconds = 0;
    qint64 shown = 0;
    qint64 sent = -1;
    long long startKb = 0;
    qint64 caughtUpMs = -1;
    bool ok = false;
};

void report(const QString& mode, const Outcome& outcome, const DelayProbe& probe)
{
    std::printf("flood %s seconds=%d shown=%lld sent=%lld worst_us=%lld p99_us=%lld probes=%lld "
                "peak_kb=%lld start_kb=%lld caught_up_ms=%lld ok=%d\n",
                qPrintable(mode), outcome.seconds, static_cast<long long>(outcome.shown),
                static_cast<long long>(outcome.sent), static_cast<long long>(probe.worstUs()),
                static_cast<long long>(probe.percentile99Us()),
                static_cast<long long>(probe.delaysUs().size()), ProcessMemory::peakResidentKb(),
                outcome.startKb, static_cast<long long>(outcome.caughtUpMs), outcome.ok ? 1 : 0);
    std::fflush(stdout);
}

// Lines shown so far: one more than the sequence number of the latest flood line in the log.
qint64 linesShown(const QPlainTextEdit* box)
{
    QTextBlock block = box->document()->lastBlock();
    for (int i = 0; i < 3 && block.isValid(); ++i, block = block.previous()) {
        const qint64 sequence = FloodServer::sequenceOf(block.text());
        if (sequence >= 0)
            return sequence + 1;
    }
    return 0;
}

// The log holds consecutive flood lines ending with the last one sent, then the lost notice.
bool logIsComplete(const QPlainTextEdit* box, qint64 sent)
{
    qint64 expected = -1;
    bool noticeSeen = false;
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
        const QString text = block.text();
        const qint64 sequence = FloodServer::sequenceOf(text);
        if (sequence >= 0) {
            if (noticeSeen || (expected >= 0 && sequence != expected))
                return false;
            expected = sequence + 1;
        } else if (text == LostNotice) {
            noticeSeen = true;
        } else if (!text.isEmpty()) {
            return false;
        }
    }
    return noticeSeen && expected == sent;
}

bool lostNoticeShown(const QPlainTextEdit* box)
{
    const QTextBlock last = box->document()->lastBlock();
    return last.text() == LostNotice || last.previous().text() == LostNotice;
}

// Prints how the flood goes, once a second, for finding out what stalls.
void printTrace(QElapsedTimer& clock, const frmMain* main, const DelayProbe& probe,
                qsizetype* probesSeen)
{
    const QPlainTextEdit* box = main->TxtGet;
    const QList<qint64>& delays = probe.delaysUs();
    qint64 worst = 0;
    for (qsizetype i = *probesSeen; i < delays.size(); ++i)
        worst = qMax(worst, delays[i]);
    *probesSeen = delays.size();
    std::printf("trace t=%.1f s shown=%lld blocks=%d rss_mb=%lld worst_ms=%.1f "
                "waiting_kb=%lld in_socket_kb=%lld\n",
                double(clock.elapsed()) / 1000.0, static_cast<long long>(linesShown(box)),
                box->document()->blockCount(), ProcessMemory::residentKb() / 1024,
                double(worst) / 1000.0, static_cast<long long>(main->receivedBytesWaiting() / 1024),
                static_cast<long long>(main->connection().bytesAvailable() / 1024));
    std::fflush(stdout);
}

int runClient(int seconds)
{
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    frmMain* main = Forms<frmMain>::get();
    main->show();
    waitUntilExposed(main);

    FloodServer server;
    main->startConnection(ServerAddress{QStringLiteral("127.0.0.1"), server.port()});
    QElapsedTimer waited;
    waited.start();
    while (main->connection().state() != ChatSocket::State::Connected && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (main->connection().state() != ChatSocket::State::Connected) {
        std::fprintf(stderr, "no connection to the flood server\n");
        return 1;
    }

    Outcome outcome;
    outcome.seconds = seconds;
    outcome.startKb = ProcessMemory::residentKb();
    DelayProbe probe;
    QElapsedTimer clock;
    server.start(std::chrono::seconds(seconds));
    probe.start();
    clock.start();

    // These run in the receive path's yields as well as in the loop below.
    QTimer::singleShot(seconds * 1000, [&] { outcome.shown = linesShown(main->TxtGet); });
    QEventLoop loop;
    QTimer done;
    QObject::connect(&done, &QTimer::timeout, [&] {
        if (server.finished() && lostNoticeShown(main->TxtGet))
            loop.quit();
    });
    done.start(20);
    qsizetype probesSeen = 0;
    QTimer trace;
    QObject::connect(&trace, &QTimer::timeout,
                     [&] { printTrace(clock, main, probe, &probesSeen); });
    trace.start(1000);
    // A client that cannot keep up is given twice the flood's time to catch up; the
    // figures are printed then, from wherever the run is (it may be deep in a yield).
    QTimer::singleShot(3 * seconds * 1000 + 10000, [&] {
        probe.stop();
        outcome.sent = server.finished() ? server.linesSent() : -1;
        report(QStringLiteral("flood"), outcome, probe);
        ::_exit(0);
    });
    loop.exec();
    outcome.caughtUpMs = clock.elapsed();
    probe.stop();
    trace.stop();
    outcome.sent = server.linesSent();
    outcome.ok = logIsComplete(main->TxtGet, outcome.sent);
    report(QStringLiteral("flood"), outcome, probe);
    Forms<frmMain>::unloadNow();
    return outcome.ok ? 0 : 1;
}

int runBare(int seconds)
{
    QPlainTextEdit box;
    box.resize(LogWidth, LogHeight);
    box.setReadOnly(true);
    box.setMaximumBlockCount(ScrollbackLines);
    box.show();
    waitUntilExposed(&box);

    Outcome outcome;
    outcome.seconds = seconds;
    outcome.startKb = ProcessMemory::residentKb();
    DelayProbe probe;
    probe.start();
    QElapsedTimer clock;
    QElapsedTimer sinceYield;
    clock.start();
    sinceYield.start();
    qint64 sequence = 0;
    while (clock.elapsed() < seconds * 1000) {
        for (int i = 0; i < 16; ++i)
            box.appendPlainText(FloodServer::display(sequence++));
        if (sinceYield.elapsed() >= 20) {
            QCoreApplication::processEvents();
            sinceYield.restart();
        }
    }
    QCoreApplication::processEvents();
    probe.stop();
    outcome.shown = linesShown(&box);
    outcome.caughtUpMs = clock.elapsed();
    outcome.ok = outcome.shown == sequence &&
                 box.document()->blockCount() == qMin<qint64>(sequence, ScrollbackLines);
    report(QStringLiteral("flood-bare"), outcome, probe);
    return outcome.ok ? 0 : 1;
}

} // namespace

namespace {

struct FloodFigures {
    QMap<QString, qint64> values;
    qint64 operator[](const char* key) const { return values.value(QLatin1String(key), -1); }
};

std::optional<FloodFigures> measureFlood(const QString& self, const QString& mode, int seconds,
                                         bool trace)
{
    QProcess child;
    child.start(self, {QStringLiteral("--child"), mode, QString::number(seconds)});
    child.waitForStarted();
    QByteArray output;
    for (bool running = true; running;) {
        running = child.state() != QProcess::NotRunning;
        if (running)
            child.waitForReadyRead(1000);
        output += child.readAllStandardOutput();
        qsizetype end;
        while ((end = output.indexOf('\n')) >= 0) {
            const QByteArray line = output.left(end);
            output.remove(0, end + 1);
            if (line.startsWith("flood ")) {
                FloodFigures figures;
                for (const QByteArray& field : line.split(' ')) {
                    const qsizetype equals = field.indexOf('=');
                    if (equals > 0)
                        figures.values.insert(QString::fromUtf8(field.left(equals)),
                                              field.mid(equals + 1).toLongLong());
                }
                child.waitForFinished(-1);
                return figures;
            }
            if (trace)
                std::printf("    %s\n", line.constData());
        }
    }
    std::fputs(child.readAllStandardError().constData(), stderr);
    std::printf("  %s: the measurement gave no figures\n", qPrintable(mode));
    return std::nullopt;
}

void printFlood(const char* label, const FloodFigures& f)
{
    const double rate = double(f["shown"]) / double(f["seconds"]);
    std::printf("  %-30s %9.0f lines/s shown   probe delay worst %7.1f ms, p99 %7.1f ms "
                "(%lld probes)   peak %5lld MB (%lld MB before)\n",
                label, rate, double(f["worst_us"]) / 1000.0, double(f["p99_us"]) / 1000.0,
                f["probes"], f["peak_kb"] / 1024, f["start_kb"] / 1024);
}

} // namespace

void runFlood(const QString& self, int seconds, bool trace)
{
    std::printf("\nFlood (offscreen, Qt %s; a loopback server sends channel talk as fast as the "
                "client takes it for %d s; the bare box keeps %d lines)\n",
                qVersion(), seconds, ScrollbackLines);
    const auto client = measureFlood(self, QStringLiteral("flood"), seconds, trace);
    const auto bare = measureFlood(self, QStringLiteral("flood-bare"), seconds, false);
    if (client) {
        printFlood("client", *client);
        const qint64 sent = (*client)["sent"];
        const qint64 caughtUp = (*client)["caught_up_ms"];
        if (caughtUp >= 0)
            std::printf("    %lld lines sent, all shown in order after %.1f s: %s\n", sent,
                        double(caughtUp) / 1000.0, (*client)["ok"] == 1 ? "yes" : "NO");
        else
            std::printf("    not caught up after %d s (%lld lines shown of %lld sent)\n",
                        3 * seconds + 10, (*client)["shown"], sent);
    }
    if (bare)
        printFlood("bare QPlainTextEdit", *bare);
    if (client && bare) {
        std::printf("  %-46s %6.2f   (target >= 0.80)\n", "client / bare rate",
                    double((*client)["shown"]) / double((*bare)["shown"]));
        std::printf("  %-46s %6.1f   (target < 100 ms)\n", "client p99 probe delay, ms",
                    double((*client)["p99_us"]) / 1000.0);
        std::printf("  %-46s %6lld   (target < 300 MB)\n", "client peak memory, MB",
                    (*client)["peak_kb"] / 1024);
    }
}

int runFloodMeasurement(const QString& mode, int seconds)
{
    if (mode == QLatin1String("flood"))
        return runClient(seconds);
    if (mode == QLatin1String("flood-bare"))
        return runBare(seconds);
    std::fprintf(stderr, "unknown mode %s\n", qPrintable(mode));
    return 2;
}
