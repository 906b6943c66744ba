// vantric-bench: how fast the receive path shows server lines, against what a bare Qt text
// box can do; how the client holds up under a flood from a real loopback server; and how
// quickly and lightly the client starts, against a bare Qt window and a plain Qt window
// holding the same widgets. Prints figures; the targets are ratios within the same run or
// limits to compare with. It never fails on a time.
//
//   vantric-bench [--lines 10000,100000,1000000] [--pass-up-to 10000]
//                 [--flood-seconds 30] [--trace] [--startup-runs 7]
//                 [--no-receive] [--no-flood] [--no-startup]
//
// Every measurement runs in a child process of its own (vantric-bench --child MODE N),
// so each peak memory figure belongs to one measurement alone.
#include "FloodRuns.h"
#include "HeldBytes.h"
#include "ReceiveRuns.h"

#include "BenchApplication.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>

namespace {

// The one-arrival variant shows what the yields by time cost; larger runs add nothing to it.
constexpr int OneArrivalUpTo = 100000;

struct Figure {
    qint64 ns = 0;
    long long peakKb = 0;
    long long inputKb = 0;
    long long paints = 0;
    qint64 paintNs = 0;
};

std::optional<Figure> measure(const QString& self, const QString& mode, int lines)
{
    // Qt's warnings go to the child's error output, shown only when something went wrong.
    QProcess child;
    child.start(self, {QStringLiteral("--child"), mode, QString::number(lines)});
    if (!child.waitForFinished(-1) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0)
        std::fputs(child.readAllStandardError().constData(), stderr);
    if (child.exitStatus() != QProcess::NormalExit) {
        std::printf("  %s: the measurement crashed\n", qPrintable(mode));
        return std::nullopt;
    }
    const QString output = QString::fromUtf8(child.readAllStandardOutput());
    static const QRegularExpression result(
        QStringLiteral("result \\S+ lines=\\d+ ns=(\\d+) peak_kb=(\\d+) input_kb=(\\d+) "
                       "paints=(\\d+) paint_ns=(\\d+)"));
    const QRegularExpressionMatch match = result.match(output);
    if (!match.hasMatch())
        return std::nullopt;
    if (child.exitCode() != 0)
        std::printf("  %s: WRONG OUTPUT (the run did not show what it was fed)\n",
                    qPrintable(mode));
    return Figure{match.captured(1).toLongLong(), match.captured(2).toLongLong(),
                  match.captured(3).toLongLong(), match.captured(4).toLongLong(),
                  match.captured(5).toLongLong()};
}

double rate(int lines, const Figure& f)
{
    return f.ns > 0 ? double(lines) * 1e9 / double(f.ns) : 0.0;
}

QString grouped(double value)
{
    return QLocale(QLocale::English).toString(qint64(value + 0.5));
}

void printRow(const char* label, int lines, const std::optional<Figure>& f)
{
    if (!f)
        return;
    const double perLineUs = double(f->ns) / 1000.0 / lines;
    std::printf("  %-34s %14s lines/s %11.3f us/line  peak %6lld MB (%lld MB before the run)\n",
                label, qPrintable(grouped(rate(lines, *f))), perLineUs, f->peakKb / 1024,
                f->inputKb / 1024);
}

// The window updates that follow the receive path's yields: the price of showing progress.
void printUpdates(const std::optional<Figure>& f)
{
    if (!f || f->paints == 0)
        return;
    std::printf("    of which showing progress: %lld window updates, %.2f ms each, %.1f%% of the "
                "time\n",
                f->paints, double(f->paintNs) / 1e6 / double(f->paints),
                100.0 * double(f->paintNs) / double(f->ns));
}

void printRatio(const char* label, double value, const char* target)
{
    std::printf("  %-46s %6.2f   %s\n", label, value, target);
}

void runReceive(const QString& self, const QList<int>& counts, int passUpTo)
{
    std::printf("Receive path (offscreen, Qt %s; rates in server lines per second; arrivals of "
                "1 to 16 KiB cut mid-line)\n",
                qVersion());
    for (int lines : counts) {
        std::printf("\nN = %s server lines\n", qPrintable(grouped(lines)));
        const auto cut = measure(self, QStringLiteral("cut"), lines);
        const auto bare = measure(self, QStringLiteral("bare"), lines);
        const auto bareLog = measure(self, QStringLiteral("bare-log"), lines);
        const auto pass =
            lines <= passUpTo ? measure(self, QStringLiteral("bare-pass"), lines) : std::nullopt;
        const auto full = measure(self, QStringLiteral("full"), lines);
        const auto whole = lines <= OneArrivalUpTo
                               ? measure(self, QStringLiteral("full-one"), lines)
                               : std::nullopt;
        printRow("line cutting alone (floor)", lines, cut);
        printRow("bare QPlainTextEdit (ceiling)", lines, bare);
        printRow("bare, read-only, no undo", lines, bareLog);
        printRow("bare, event-loop pass every line", lines, pass);
        printRow("full receive path", lines, full);
        printUpdates(full);
        printRow("full, all bytes in one arrival", lines, whole);
        printUpdates(whole);
        if (!full)
            continue;
        if (bare) {
            printRatio("full / bare rate", rate(lines, *full) / rate(lines, *bare),
                       "(target >= 0.80)");
            printRatio("full / bare peak memory", double(full->peakKb) / double(bare->peakKb),
                       "(target <= 1.20)");
            printRatio("full / bare memory added by the run",
                       double(full->peakKb - full->inputKb) / double(bare->peakKb - bare->inputKb),
                       "");
        }
        if (bareLog) {
            printRatio("full / bare read-only rate", rate(lines, *full) / rate(lines, *bareLog),
                       "");
            printRatio("full / bare read-only peak memory",
                       double(full->peakKb) / double(bareLog->peakKb), "");
        }
        if (cut)
            printRatio("line cutting / full rate", rate(lines, *cut) / rate(lines, *full), "");
    }
}

struct Startup {
    qint64 shownUs = 0;
    long long idleKb = 0;
};

std::optional<Startup> startOnce(const QString& program)
{
    QProcess child;
    child.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    child.start(program, {});
    Startup result;
    QByteArray output;
    while (child.waitForReadyRead(10000)) {
        output += child.readAllStandardOutput();
        if (result.shownUs == 0 && output.contains("shown\n"))
            result.shownUs = timer.nsecsElapsed() / 1000;
        if (output.contains("idle_rss_kb"))
            break;
    }
    child.waitForFinished(10000);
    output += child.readAllStandardOutput();
    static const QRegularExpression rss(QStringLiteral("idle_rss_kb (\\d+)"));
    const QRegularExpressionMatch match = rss.match(QString::fromUtf8(output));
    if (result.shownUs == 0 || !match.hasMatch())
        return std::nullopt;
    result.idleKb = match.captured(1).toLongLong();
    return result;
}

template <class T> T median(QList<T> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? T() : values[values.size() / 2];
}

void runStartup(const QString& folder, int runs)
{
    struct Program {
        const char* label;
        QString path;
        QList<qint64> us;
        QList<long long> kb;
    };
    Program programs[] = {
        {"bare QMainWindow", folder + QStringLiteral("/vantric-bench-startup-bare"), {}, {}},
        {"QMainWindow, the client's widgets",
         folder + QStringLiteral("/vantric-bench-startup-widgets"),
         {},
         {}},
        {"client main window", folder + QStringLiteral("/vantric-bench-startup-client"), {}, {}}};
    // In turns, after one unmeasured start of each to warm the file cache.
    for (Program& program : programs)
        startOnce(program.path);
    for (int i = 0; i < runs; ++i) {
        for (Program& program : programs) {
            if (const auto figures = startOnce(program.path)) {
                program.us << figures->shownUs;
                program.kb << figures->idleKb;
            }
        }
    }
    std::printf("\nStartup (offscreen, median of %d starts each)\n", runs);
    double ms[3], mb[3];
    for (int i = 0; i < 3; ++i) {
        if (programs[i].us.isEmpty()) {
            std::printf("  %s: a start did not report; no figures\n", programs[i].label);
            return;
        }
        ms[i] = median(programs[i].us) / 1000.0;
        mb[i] = median(programs[i].kb) / 1024.0;
        std::printf("  %-34s %8.1f ms to the window shown   idle %6.1f MB resident\n",
                    programs[i].label, ms[i], mb[i]);
    }
    printRatio("client / same widgets time to shown", ms[2] / ms[1], "(target <= 1.20)");
    printRatio("client / same widgets idle resident memory", mb[2] / mb[1], "(target <= 1.15)");
    printRatio("client / bare time to shown", ms[2] / ms[0], "");
    printRatio("client / bare idle resident memory", mb[2] / mb[0], "");
}

QList<int> parseCounts(const QString& text)
{
    QList<int> counts;
    for (const QString& part : text.split(QLatin1Char(','), Qt::SkipEmptyParts))
        counts << part.toInt();
    return counts;
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    if (argc == 4 && std::strcmp(argv[1], "--child") == 0) {
        BenchApplication app(argc, argv);
        const QString mode = QString::fromLocal8Bit(argv[2]);
        if (mode.startsWith(QLatin1String("flood")))
            return runFloodMeasurement(mode, std::atoi(argv[3]));
        return runReceiveMeasurement(mode, std::atoi(argv[3]));
    }

    QCoreApplication app(argc, argv);
    // Qt wants a private runtime folder; without one every child warns and makes its own.
    QTemporaryDir runtime;
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") && runtime.isValid())
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
    QStringList args = QCoreApplication::arguments().mid(1);
    QList<int> counts{10000, 100000, 1000000};
    int passUpTo = 10000;
    int startupRuns = 7;
    int floodSeconds = 30;
    bool receive = true;
    bool flood = true;
    bool trace = false;
    bool startup = true;
    while (!args.isEmpty()) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--lines") && !args.isEmpty())
            counts = parseCounts(args.takeFirst());
        else if (option == QLatin1String("--pass-up-to") && !args.isEmpty())
            passUpTo = args.takeFirst().toInt();
        else if (option == QLatin1String("--startup-runs") && !args.isEmpty())
            startupRuns = qMax(1, args.takeFirst().toInt());
        else if (option == QLatin1String("--flood-seconds") && !args.isEmpty())
            floodSeconds = qMax(1, args.takeFirst().toInt());
        else if (option == QLatin1String("--trace"))
            trace = true;
        else if (option == QLatin1String("--no-receive"))
            receive = false;
        else if (option == QLatin1String("--no-flood"))
            flood = false;
        else if (option == QLatin1String("--no-startup"))
            startup = false;
        else {
            std::fprintf(stderr, "usage: vantric-bench [--lines N,N,...] [--pass-up-to N] "
                                 "[--flood-seconds N] [--trace] [--startup-runs N] "
                                 "[--no-receive] [--no-flood] [--no-startup]\n");
            return 2;
        }
    }

    const QString self = QCoreApplication::applicationFilePath();
    if (receive) {
        runHeldBytes();
        runReceive(self, counts, passUpTo);
    }
    if (flood)
        runFlood(self, floodSeconds, trace);
    if (startup)
        runStartup(QFileInfo(self).absolutePath(), startupRuns);
    return 0;
}
