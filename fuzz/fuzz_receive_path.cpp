// libFuzzer target: arbitrary server bytes, cut into arbitrary arrivals, go through the main
// window's real receive path (socket arrival, line cutting, decoding, dispatch, handlers) into
// its logs, user list and status line, on the offscreen platform. Besides the sanitizers'
// findings it checks:
//   - every complete line is handled exactly once and in order, whatever the cuts: the
//     window ends up exactly as when the same lines are handed to DispatchLine one by one;
//   - a line buffer fed the same arrivals holds at most LineBuffer::MaxLineLength bytes once
//     it has given out its complete lines, and gives out exactly the lines a plain reference
//     cutter finds;
//   - whenever the window gets a turn, the user count in the status line equals the number
//     of items in the user list.
//
// Input: two header bytes, then the server's bytes.
//   byte 0   seed of the cuts between arrivals
//   byte 1   bits 0-3: arrivals are 1 to 2^bits bytes long
//            bit 4: arrivals may come while the window is inside a yield of the receive path
//            bit 5: join and leave notices are on
//            bits 6-7: 3 = the first line is repeated until it is longer than the limit
#include "platform/ChatSocket.h"
#include "platform/WindowSystem.h"
#include "protocol/LineBuffer.h"
#include "protocol/LogBoxWriters.h"
#include "protocol/ReceivedText.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/StatusLine.h"
#include "ui/UserListBox.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Fail(const char* what)
{
    std::fprintf(stderr, "receive path property violated: %s\n", what);
    std::abort();
}

void Check(bool condition, const char* what)
{
    if (!condition)
        Fail(what);
}

// The checks' own helpers are left out of the coverage instrumentation: they are not
// under test, and their byte loops would only slow every input down.
#define NOT_UNDER_TEST __attribute__((no_sanitize("coverage")))

// A line as the receive path must see it, and whether it ended without a line end.
struct ReferenceLine {
    QByteArray bytes;
    bool cut = false;
    bool operator==(const ReferenceLine& other) const
    {
        return bytes == other.bytes && cut == other.cut;
    }
};

// The lines of a byte stream as the receive path must see them: cut at CR LF, lone CR and
// lone LF; lines longer than the limit left out; an unfinished last line left out; a line
// cut by the server (an event code at offset 255) split there.
NOT_UNDER_TEST QList<ReferenceLine> ReferenceLines(const QByteArray& stream)
{
    const auto cutAt = [](const char* start, const char* p) {
        if (p - start < LineBuffer::ServerCut + 5)
            return false;
        const char* code = start + LineBuffer::ServerCut;
        return std::all_of(code, code + 4, [](char c) { return c >= '0' && c <= '9'; }) &&
               code[4] == ' ';
    };
    QList<ReferenceLine> lines;
    const char* const begin = stream.constData();
    const char* const end = begin + stream.size();
    const char* start = begin;
    for (const char* p = begin; p != end; ++p) {
        if (*p != '\r' && *p != '\n')
            continue;
        if (p - start <= LineBuffer::MaxLineLength) {
            for (; cutAt(start, p); start += LineBuffer::ServerCut)
                lines.append({QByteArray(start, LineBuffer::ServerCut), true});
            lines.append({QByteArray(start, p - start), false});
        }
        if (*p == '\r' && p + 1 != end && p[1] == '\n')
            ++p;
        start = p + 1;
    }
    return lines;
}

struct WindowState {
    QString chat;
    QString whispers;
    QStringList users;
    QString status;
    QString channel;

    bool operator==(const WindowState& other) const
    {
        return chat == other.chat && whispers == other.whispers && users == other.users &&
               status == other.status && channel == other.channel;
    }
};

NOT_UNDER_TEST WindowState Snapshot(frmMain* main)
{
    WindowState state{LogText(main->TxtGet),
                      LogText(main->TxtWhisper),
                      {},
                      main->StatusBar1->SimpleText(),
                      main->CurrentChannel};
    for (int i = 0; i < main->RoomList->count(); ++i)
        state.users.append(main->RoomList->item(i)->text());
    return state;
}

void Reset(frmMain* main, bool notices)
{
    main->TxtGet->clear();
    main->TxtWhisper->clear();
    main->RoomList->clear();
    main->StatusBar1->SetSimpleText(QString());
    main->CurrentChannel.clear();
    main->mnuJoinLeave->setChecked(notices);
}

// The status line names the list's own count ("... With <n> users"), or is still empty
// while nothing has touched the list.
NOT_UNDER_TEST void CheckUserCount(frmMain* main)
{
    const QString status = main->StatusBar1->SimpleText();
    const int count = main->RoomList->count();
    if (status.isEmpty()) {
        Check(count == 0, "users in the list, none in the status line");
        return;
    }
    const QString tail = QStringLiteral(" users");
    Check(status.endsWith(tail), "status line does not end in the user count");
    const qsizetype digitsEnd = status.size() - tail.size();
    const qsizetype digitsStart = status.lastIndexOf(QLatin1Char(' '), digitsEnd - 1) + 1;
    bool ok = false;
    const int shown = status.mid(digitsStart, digitsEnd - digitsStart).toInt(&ok);
    Check(ok && shown == count, "user count in the status line differs from the list");
}

class Random {
public:
    explicit Random(std::uint64_t seed)
        : m_state(seed)
    {}
    std::uint64_t next()
    {
        m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
        return m_state >> 33;
    }

private:
    std::uint64_t m_state;
};

// Hands the arrivals to the socket in order. An arrival may instead be posted, so that it
// comes while the window is inside a yield of the dispatch of the arrival before it.
class Feeder : public QObject {
public:
    Feeder(frmMain* main, QList<QByteArray> arrivals, Random* random, bool mayNest)
        : m_main(main)
        , m_arrivals(std::move(arrivals))
        , m_random(random)
        , m_mayNest(mayNest)
    {}

    bool done() const { return m_next == m_arrivals.size(); }

    void run()
    {
        while (!done()) {
            const qsizetype index = m_next++;
            const bool postNext = m_mayNest && !done() && (m_random->next() & 1);
            if (postNext)
                QMetaObject::invokeMethod(this, &Feeder::run, Qt::QueuedConnection);
            m_main->BattleSock->InjectArrivalForTesting(m_arrivals[index]);
            if (postNext)
                return;
        }
    }

private:
    frmMain* m_main;
    QList<QByteArray> m_arrivals;
    Random* m_random;
    bool m_mayNest;
    qsizetype m_next = 0;
};

frmMain* Window()
{
    static frmMain* main = [] {
        WindowSystem::Hooks quiet;
        quiet.beep = [] {};
        quiet.message = [](const QString&, const QString&, WindowSystem::MessageIcon) {};
        quiet.endProgram = [] {};
        WindowSystem::SetHooks(quiet);
        return Forms<frmMain>::Get();
    }();
    return main;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QTemporaryDir home;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    // Qt's warnings about odd text (fonts without a script, and so on) are expected here.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static QApplication* app = new QApplication(*argc, *argv);
    Q_UNUSED(app);
    Window();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const std::uint8_t seed = data[0];
    const std::uint8_t mode = data[1];
    QByteArray stream(reinterpret_cast<const char*>(data + 2), qsizetype(size - 2));
    if ((mode >> 6) == 3) {
        // One overlong line among ordinary ones, without making every input large.
        qsizetype end = 0;
        while (end < stream.size() && stream[end] != '\r' && stream[end] != '\n')
            ++end;
        const QByteArray head = end > 0 ? stream.left(end) : QByteArrayLiteral("x");
        const qsizetype copies = (LineBuffer::MaxLineLength + head.size()) / head.size();
        stream = head.repeated(copies) + stream.mid(end);
    }
    // Some hundreds of arrivals at most: small cuts matter, a million of them add nothing.
    const qsizetype largest = qMax(qsizetype(1) << (mode & 15), stream.size() / 256);
    const bool mayNest = mode & 16;
    const bool notices = mode & 32;

    // The cuts; a final line end finishes whatever line the bytes left open.
    Random random(seed * 0x9E3779B97F4A7C15ull + size);
    QList<QByteArray> arrivals;
    for (qsizetype at = 0; at < stream.size();) {
        const qsizetype length = qMin(stream.size() - at, 1 + qsizetype(random.next() % largest));
        arrivals.append(QByteArray::fromRawData(stream.constData() + at, length));
        at += length;
    }
    arrivals.append(QByteArrayLiteral("\n"));
    const QList<ReferenceLine> expected = ReferenceLines(stream + '\n');

    // Framing alone, with every line counted, visible or not.
    LineBuffer buffer;
    QList<ReferenceLine> cut;
    QByteArray line;
    bool unterminated = false;
    for (const QByteArray& arrival : std::as_const(arrivals)) {
        buffer.append(arrival);
        while (buffer.takeLine(&line, &unterminated))
            cut.append({line, unterminated});
        Check(buffer.bufferedBytes() <= LineBuffer::MaxLineLength,
              "line buffer holds more than the line length limit");
    }
    Check(buffer.bufferedBytes() == 0, "bytes left after the final line end");
    Check(cut == expected, "lines cut differently from the reference");

    // The window, line by line, then through the real path with the same lines.
    frmMain* main = Window();
    Reset(main, notices);
    for (const ReferenceLine& complete : expected)
        main->DispatchLine(LineForHandler(complete.bytes), complete.cut);
    const WindowState direct = Snapshot(main);

    Reset(main, notices);
    QTimer everyTurn; // runs whenever the window gets a turn
    QObject::connect(&everyTurn, &QTimer::timeout, [main] { CheckUserCount(main); });
    everyTurn.start(0);
    Feeder feeder(main, arrivals, &random, mayNest);
    feeder.run();
    while (!feeder.done())
        QCoreApplication::processEvents();
    everyTurn.stop();
    CheckUserCount(main);
    Check(Snapshot(main) == direct, "the window differs from handling the lines one by one");
    return 0;
}
