#pragma once

#include "connection/ReconnectPolicy.h"
#include "connection/ServerAddress.h"
#include "protocol/LineBuffer.h"
#include "ui/InputBox.h"

#include <QDateTime>
#include <QMainWindow>
#include <QString>

#include <functional>

class ChatSocket;
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
    ChatSocket* BattleSock = nullptr;
    QTimer* tmrAnti = nullptr;
    QTimer* tmrConnection = nullptr;
    WaitTimer* tmrReconnect = nullptr; // the wait before connecting again
    WaitTimer* tmrSilence = nullptr;   // the patience with a server silent after the login
    FindBar* FindBar1 = nullptr;       // Options > Find..., over the bottom of the chat log

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
    // Longest stretch of receive work before the window gets a turn, in milliseconds.
    static constexpr int MaxReceiveWorkMs = 20;
    // Bytes taken from the socket and not handled yet.
    qsizetype receivedBytesWaiting() const { return m_received.bufferedBytes(); }

    // Connection lifecycle.
    void mnuConnect_Click();
    void mnuDisconnect_Click();
    void mnuExit_Click();
    void BattleSock_ConnectFailed(const QString& reason);
    void BattleSock_ConnectionLost();
    // Connects to the server unless already connected or connecting to it, sends the login
    // and enters the logged-in state.
    void logIn(const ServerAddress& server, const QString& name, const QString& password);
    void setOnlineControls(bool online);

    // Staying connected: the home channel, automatic reconnection, the silent server.
    void mnuReconnect_Click();
    void OnName(const ChatEvent& event);
    void tmrReconnect_Timer();
    void tmrSilence_Timer();
    // The channel to join after each login the server accepts (blanks: none).
    void setHomeChannel(const QString& channel) { m_homeChannel = channel; }
    // A setting could not be stored; says so in the chat log, with the reason.
    void reportSettingsNotSaved(const QString& reason);
    // How long a server may stay silent after the login before the connection is dropped.
    static constexpr int SilenceLimitMs = 30000;

    // Sending, pop-up commands and anti-idle. Every line after the login goes through
    // SendLine into one queue that keeps to the server's flood quota; `whenSent` runs when
    // the line is handed to the connection. Without a connection that has had the login,
    // nothing is queued: the chat log says so and the result is false.
    SendQueue* outgoing = nullptr;
    bool SendLine(const QString& text, std::function<void()> whenSent = {});
    // A chat, whisper or emote line: `prefix` and `text`, split into several lines when too
    // long; `echo` runs for each piece as it goes out.
    bool sendChatLine(const QString& prefix, const QString& text,
                      const std::function<void(const QString& piece)>& echo);
    // True once the login has been written on an established connection.
    bool canSendLines() const;
    // Throws the waiting lines away; returns how many.
    int discardWaitingLines();
    // No more lines until the next login; the waiting ones are thrown away and the chat
    // log says how many were not sent.
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
    DesktopNotifier* notifier = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void wireEvents();
    void setUpKeyboard();

    // The receive path as the lifecycle uses it: a new connection starts afresh; the end of
    // the stream is reported (reportConnectionLost) after the lines that came before it.
    void startReceivingAfresh();
    void receiveEndOfStream();
    void dispatchUnlessRunning();
    void receiveInNestedLoop();
    void reportEndOfStream();

    void startConnection(const ServerAddress& server);
    // Hands bytes to the connection; false when there is none, made or being made.
    bool sendToServer(const QByteArray& bytes);
    void reportConnectionLost();
    void enterIdleState();

    // Staying connected (connection/frmMain_reconnect.cpp).
    void loadReconnectSetting();
    void forgetConnectionFacts();
    void loginSent(const ServerAddress& server, const QString& name, const QString& password);
    void joinAfterLogin();
    void noteLoginRefused();
    void noteLineTyped(const QString& text);
    void scheduleReconnect();
    void stopReconnecting();
    bool isWaitingToReconnect() const;

    // Receive path.
    LineBuffer m_received;
    bool m_dispatching = false;
    int m_dispatchLoopLevel = 0; // event loops running when the innermost dispatch began
    QTimer* m_receiveInNestedLoops = nullptr;
    bool m_streamEnded = false; // the server closed; reported once the lines before are shown
    // Lifecycle: File > Exit has run (the receive path stops at its next line).
    bool m_ending = false;
    // Staying connected (connection/frmMain_reconnect.cpp). The first group describes the
    // current connection and starts afresh with each one.
    bool m_loginAccepted = false;
    bool m_loginRefused = false;
    bool m_userEnded = false;
    bool m_quietAttempt = false; // File > Connect's early attempt, dialog still open
    bool m_joinPending = false;  // join m_joinTarget once the server names our channel
    QString m_joinTarget;
    // The login to repeat, and the run of retries after a lost connection.
    ServerAddress m_loginServer;
    QString m_loginName;
    QString m_loginPassword;
    QString m_homeChannel;
    QString m_rejoinChannel;
    bool m_reconnecting = false;
    ReconnectPolicy m_reconnectPolicy;
    // The login has been written on the current connection.
    bool m_loginSent = false;
    // Lines thrown away when the connection was lost; told once the loss is reported.
    int m_unsentAtLoss = 0;
    // Logs on disk: the open log while Options > Log to Disk is checked, else null.
    void startDiskLog();
    void stopDiskLog();
    void logToDisk(const QString& text);
    void diskLogFailed();
    DiskLog* m_diskLog = nullptr;
    std::function<QDateTime()> m_diskLogClock;
};
