// libFuzzer target: arbitrary server bytes, cut into arbitrary arrivals, go through the main
// window's real receive path (socket arrival, line cutting, decoding, dispatch, handlers) into
// its logs, user list and status line, on the offscreen platform. The line cutting and the
// event parser alone are fuzzed much faster by fuzz_line_events.cpp. Besides the sanitizers'
// findings this checks:
//   - every complete line is handled exactly once and in order, whatever the cuts and
//     whatever the window does in between: the window ends up exactly as when the same
//     lines are handed to DispatchLine one by one (with the notice for each line dropped
//     for its length in its place);
//   - whenever the window gets a turn, the user count in the status line equals the number
//     of items in the user list.
//
// Input format: see FuzzInput.h; in the mode byte
//   bit 4: arrivals may come while the window is inside a yield of the receive path
//   bit 5: join and leave notices are on
#include "ArrivalFeed.h"
#include "FuzzInput.h"

#include "platform/WindowSystem.h"
#include "protocol/ReceivedText.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/LogBoxWriters.h"
#include "ui/StatusLine.h"
#include "ui/UserListBox.h"
#include "ui/frmMain.h"

#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

namespace {

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
    WindowState state{logText(main->TxtGet),
                      logText(main->TxtWhisper),
                      {},
                      main->StatusBar1->simpleText(),
                      main->CurrentChannel};
    for (int i = 0; i < main->RoomList->count(); ++i)
        state.users.append(main->RoomList->item(i)->text());
    return state;
}

void reset(frmMain* main, bool notices)
{
    main->TxtGet->clear();
    main->TxtWhisper->clear();
    main->RoomList->clear();
    main->StatusBar1->setSimpleText(QString());
    main->CurrentChannel.clear();
    main->mnuJoinLeave->setChecked(notices);
}

// The status line names the list's own count ("... With <n> users"), or is still empty
// while nothing has touched the list.
NOT_UNDER_TEST void CheckUserCount(frmMain* main)
{
    const QString status = main->StatusBar1->simpleText();
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

// Hands the arrivals to the window in order. An arrival may instead be posted, so that it
// comes while the window is inside a yield of the dispatch of the arrival before it.
class Feeder : public QObject {
public:
    Feeder(ArrivalFeed* feed, QList<QByteArray> arrivals, Random* random, bool mayNest)
        : m_feed(feed)
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
            m_feed->arrive(m_arrivals[index]);
            if (postNext)
                return;
        }
    }

private:
    ArrivalFeed* m_feed;
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
        WindowSystem::setHooks(quiet);
        return Forms<frmMain>::get();
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
    FuzzInput input;
    if (!ReadFuzzInput(data, size, &input))
        return 0;
    const bool mayNest = input.mode & 16;
    const bool notices = input.mode & 32;
    const QList<ReferenceLine> expected = ReferenceLines(input.stream);

    // The window, line by line, then through the real path with the same lines.
    frmMain* main = Window();
    reset(main, notices);
    for (const ReferenceLine& reference : expected) {
        if (reference.dropped)
            appendNotice(main->TxtGet, droppedLineNotice());
        else
            main->DispatchLine(lineForHandler(reference.bytes), reference.cut);
    }
    const WindowState direct = Snapshot(main);

    reset(main, notices);
    QTimer everyTurn; // runs whenever the window gets a turn
    QObject::connect(&everyTurn, &QTimer::timeout, [main] { CheckUserCount(main); });
    everyTurn.start(0);
    static ArrivalFeed feed(main);
    Feeder feeder(&feed, input.arrivals, &input.random, mayNest);
    feeder.run();
    while (!feeder.done())
        QCoreApplication::processEvents();
    everyTurn.stop();
    CheckUserCount(main);
    Check(Snapshot(main) == direct, "the window differs from handling the lines one by one");
    return 0;
}
