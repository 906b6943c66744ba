#pragma once

#include "connection/ConnectionState.h"
#include "connection/ReconnectPolicy.h"
#include "connection/ServerAddress.h"
#include "protocol/LineDispatcher.h"
#include "ui/InputBox.h"

#include <QDateTime>
#include <QMainWindow>
#include <QString>

#include <functional>
#include <optional>

class ChatSocket;
struct FloodLimits;
struct ChatEvent;
class DesktopNotifier;
class DiskLog;
class FindBar;
class LogBox;
class QAction;
class QListWidgetItem;
class QMenu;
class QPushButton;
class QTimer;
class SendQueue;
class StatusLine;
class UserListBox;
class WaitTimer;

// The main window: the chat log, the user list, the input box, the whisper log, the status
// line, the connection and the anti-idle timer. It lives for the whole run.
//
// Its handlers are defined beside the subsystem they belong to: the receive path in
// protocol/, the File menu's connection items in connection/, sending, pop-up commands and
// anti-idle in commands/, the information menus here in ui/.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // Controls, in tab order, then the invisible ones.
    LogBox* TxtGet = nullptr;
    UserListBox* RoomList = nullptr;
    InputBox* TxtSend = nullptr;
    LogBox* TxtWhisper = nullptr;
    QPushButton* cmdSend = nullptr;
    QPushButton* cmdWhisper = nullptr;
    StatusLine* StatusBar1 = nullptr;
    QTimer* tmrAnti = nullptr;
    QTimer* tmrConnection = nullptr;
    FindBar* FindBar1 = nullptr; // Options > Find..., over the bottom of the chat log

    // Menu bar.
    QMenu* mnuFile = nullptr;
    QAction* mnuConnect = nullptr;
    QAction* mnuDisconnect = nullptr;
    QAction* mnuLine3 = nullptr;
    QAction* mnuOrvel = nullptr;
    QAction* mnuKn = nullptr;
    QAction* mnuLine6 = nullptr;
    QAction* mnuSaveLog = nullptr;
    QAction* mnuOpenLogFolder = nullptr;
    QAction* mnuLine1 = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuOptions = nullptr;
    QAction* mnuAntiDisplay = nullptr;
    QAction* mnuAntiMessage = nullptr;
    QAction* mnuline2 = nullptr;
    QAction* mnuJoinLeave = nullptr;
    QAction* mnuReconnect = nullptr;
    QAction* mnuTimestamps = nullptr;
    QAction* mnuNotify = nullptr;
    QAction* mnuScrollback = nullptr;
    QAction* mnuFlood = nullptr;
    QAction* mnuLogToDisk = nullptr;
    QAction* mnuline4 = nullptr;
    QAction* mnuCommands = nullptr;
    QAction* mnuFind = nullptr;
    QAction* mnuline5 = nullptr;
    QAction* mnuSend = nullptr;
    QAction* mnuWhisper = nullptr;
    QAction* mnuEmote = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuBugs = nullptr;
    QAction* mnuContact = nullptr;

    // The channel named by the server's latest channel line; kept across connections.
    QString CurrentChannel;

    // Window load: puts the window into its idle state.
    void Form_Load();

    // Receive path.
    void BattleSock_DataArrival();
    void DispatchLines();
    // `unterminated`: the line ended without a line end (cut by the server, or unfinished
    // when the connection closed).
    void DispatchLine(const QString& line, bool unterminated = false);
    void OnUser(const ChatEvent& event);
    void OnJoin(const ChatEvent& event);
    void OnLeave(const ChatEvent& event);
    void OnFlags(const ChatEvent& event);
    void OnWhisper(const ChatEvent& event);
    void OnTalk(const ChatEvent& event);
    void OnChannel(const ChatEvent& event);
    void OnInfo(const ChatEvent& event);
    void OnEmote(const ChatEvent& event);
    void OnPlainText(const ChatEvent& event);
    void ShowChannelStatus();
    void mnuJoinLeave_Click();
    // Bytes taken from the socket and not handled yet.
    qsizetype receivedBytesWaiting() const;
    // Takes what the server says from `source` instead of the connection, each time
    // BattleSock_DataArrival runs: the benchmark and the fuzz target feed the window so.
    void receiveFrom(LineDispatcher::Source source);

    // Connection lifecycle.
    void mnuConnect_Click();
    void mnuExit_Click();
    // Connects to the server unless already connected or connecting to it, sends the login
    // and enters the logged-in state.
    void logIn(const ServerAddress& server, const QString& name, const QString& password);
    void setOnlineControls(bool online);
    // What the connection is doing now (connection/ConnectionState.h).
    Connection::State connectionState() const { return m_connection; }
    // Drops any connection there is and starts one to `server`, without waiting for it.
    void startConnection(const ServerAddress& server);
    // Hands bytes to the connection as they stand, outside the queue (the login); false
    // when there is none, made or being made.
    bool sendToServer(const QByteArray& bytes);
    // The connection, for looking at (tests, benchmarks).
    const ChatSocket& connection() const { return *BattleSock; }

    // Staying connected: the home channel, automatic reconnection, the silent server.
    void OnName(const ChatEvent& event);
    // The channel to join after each login the server accepts (blanks: none).
    void setHomeChannel(const QString& channel) { m_homeChannel = channel; }
    // Every settings write: a failure is told in the chat log with its reason, once a cause.
    void settingWritten(bool stored, const QString& failure);
    // How long a server may stay silent after the login before the connection is dropped.
    static constexpr int SilenceLimitMs = 30000;

    // Sending, pop-up commands and anti-idle. Every line after the login goes through
    // SendLine into one queue that keeps to the server's flood quota; `whenSent` runs when
    // the line is handed to the connection. Without a connection that has had the login,
    // nothing is queued: the chat log says so and the result is false.
    bool SendLine(const QString& text, std::function<void()> whenSent = {});
    // A chat, whisper or emote line: `prefix` and `text`, split into several lines when too
    // long; `echo` runs for each piece as it goes out.
    bool sendChatLine(const QString& prefix, const QString& text,
                      const std::function<void(const QString& piece)>& echo);
    // True once the login has been written on an established connection.
    bool canSendLines() const;
    // Throws the waiting lines away; returns how many.
    int discardWaitingLines();
    // The connection in use is ending or being replaced: the waiting lines are thrown away
    // and the chat log says how many were not sent.
    void stopSendingLines();
    void tellUnsentLines(int count);
    void showWaitingLines(int waiting);
    void cmdSend_Click();
    void cmdWhisper_Click();
    void mnuSend_Click();
    void mnuWhisper_Click();
    void mnuEmote_Click();
    void RoomList_MouseDown(Qt::MouseButton button);
    void TxtGet_MouseDown(Qt::MouseButton button);
    void mnuAntiDisplay_Click();
    void mnuAntiMessage_Click();
    void tmrAnti_Timer();
    void mnuFlood_Click();
    // The limits the sending keeps to, in force at once (also for the lines waiting).
    void setFloodLimits(const FloodLimits& limits);
    // The queue as it stands, for looking at; tests move its clock themselves and then
    // send what is due.
    const SendQueue& sendQueue() const { return *outgoing; }
    void setSendClock(std::function<qint64()> clock);
    void sendDueLines();

    // How many lines the logs keep.
    void applyStoredScrollback();
    void mnuScrollback_Click();

    // Information menus.
    void mnuOrvel_Click();
    void mnuKn_Click();
    void mnuCommands_Click();
    void mnuAbout_Click();
    void mnuBugs_Click();
    void mnuContact_Click();

    // Desktop habits: input history and name completion (in InputBox), time stamps in the
    // logs, the whisper log's edit menu, saving the chat log.
    void setUpDesktopHabits();
    void setUpMentions();
    void mnuTimestamps_Click();
    void mnuSaveLog_Click();
    void alertOfWhisper();
    // A double click on a user starts a whisper to them in the message box.
    void RoomList_DblClick(QListWidgetItem* item);

    // Find in the logs (ui/frmMain_find.cpp).
    void setUpFindBar();
    void mnuFind_Click();

    // Logs on disk (ui/frmMain_disklog.cpp): every line either log shows, to a file per day.
    void setUpDiskLog();
    void mnuLogToDisk_Click();
    void mnuOpenLogFolder_Click();
    // The clock the disk log's date and time stamps read: local time unless a test fixes it.
    void setDiskLogClock(std::function<QDateTime()> clock);

    // Mentions: the user's own name, from the server's name line, marks the lines that name
    // the user; such a line, or a whisper, is announced while the window is in the
    // background (frmMain_mentions.cpp).
    void setOwnName(const QString& name);
    void alertOfMention(const ChatEvent& event);
    void notifyUnlessActive(const ChatEvent& event);
    void mnuNotify_Click();
    // The desktop notifications, for tests that move its clock.
    DesktopNotifier& desktopNotifier() { return *notifier; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    DesktopNotifier* notifier = nullptr;
    ChatSocket* BattleSock = nullptr;
    SendQueue* outgoing = nullptr;
    // The anti-idle editor's message, as its box holds it (see wireCommandWindows).
    QString m_antiIdleMessage;

    void buildControls();
    void buildMenus();
    void buildReceivePath();
    void buildSendPath();
    void wireCommandWindows();
    void wireEvents();
    void setUpKeyboard();

    // Connection lifecycle (connection/frmMain_lifecycle.cpp).
    void mnuDisconnect_Click();
    void BattleSock_ConnectFailed(const QString& reason);
    void BattleSock_ConnectionLost();
    void writeLogin(); // the remembered login, on a new connection when needed
    void reportConnectionLost();
    // The one place where the connection's state changes: follows the table's row for
    // `event` and switches what the new state and the row say. False when the event
    // changes nothing in the current state.
    bool changeState(Connection::Event event);
    void showConnectionStatus(Connection::Status status);

    // Staying connected (connection/frmMain_reconnect.cpp).
    void loadReconnectSetting();
    void mnuReconnect_Click();
    void tmrReconnect_Timer();
    void tmrSilence_Timer();
    void joinAfterLogin();
    void joinChosenChannel();
    void noteLoginRefused();
    void offerLoginAgain();
    void noteLineTyped(const QString& text);
    void startReconnectWait();

    // Receive path: the socket's bytes become lines for DispatchLine; a new connection
    // starts it afresh, a lost one is reported (reportConnectionLost) after the lines before.
    // It keeps its own flags (dispatching, stream ended, program ending): they say where the
    // dispatch of lines stands, which the connection's state does not decide.
    LineDispatcher* m_receive = nullptr;
    // The connection's state; only changeState changes it.
    Connection::State m_connection = Connection::State::Idle;
    WaitTimer* tmrReconnect = nullptr; // the wait before connecting again
    WaitTimer* tmrSilence = nullptr;   // the patience with a server silent after the login
    // Staying connected (connection/frmMain_reconnect.cpp): the channel to join once the
    // server names ours, the login to repeat, and the run of retries after a lost connection.
    QString m_joinTarget;
    ServerAddress m_loginServer;
    QString m_loginName;
    QString m_loginPassword;
    QString m_homeChannel;
    QString m_rejoinChannel;
    ReconnectPolicy m_reconnectPolicy;
    // Lines thrown away when the connection was lost; told once the loss is reported.
    int m_unsentAtLoss = 0;
    // Logs on disk: the open log while Options > Log to Disk is checked, else null.
    void startDiskLog();
    void stopDiskLog();
    void logToDisk(const QString& text);
    void diskLogFailed();
    DiskLog* m_diskLog = nullptr;
    std::function<QDateTime()> m_diskLogClock;
    // The reason of the last settings write that failed, until one succeeds.
    std::optional<QString> m_settingsFailure;
};
