#include "ui/frmMain.h"

#include "platform/ChatSocket.h"
#include "platform/Twips.h"
#include "platform/WaitTimer.h"
#include "platform/WindowSystem.h"
#include "ui/FixedWindow.h"
#include "ui/LogBox.h"
#include "ui/MainCaption.h"
#include "ui/StatusLine.h"
#include "ui/UserListBox.h"

#include <QAction>
#include <QCloseEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

namespace {
// Client area 8205 x 5220 twips; the status bar takes its bottom 315.
constexpr int ClientWidth = 8205;
constexpr int ClientHeight = 5220;
constexpr int StatusHeight = 315;
} // namespace

frmMain::frmMain(QWidget* parent)
    : QMainWindow(parent)
{
    setWindowTitle(mainCaption());
    useFixedFrame(this);
    buildControls();
    buildMenus();
    buildReceivePath();
    buildSendPath();
    wireCommandWindows();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    wireEvents();
    setUpKeyboard();
    setUpDesktopHabits();
    setUpMentions();
    applyStoredScrollback();
    setUpFindBar();
    setUpDiskLog();
}

frmMain::~frmMain()
{
    stopDiskLog();
}

void frmMain::buildControls()
{
    auto* client = new QWidget(this);
    client->setFixedSize(px(ClientWidth), px(ClientHeight - StatusHeight));
    setCentralWidget(client);

    TxtGet = new LogBox(client);
    TxtGet->setGeometry(twipsRect(0, 0, 6015, 3135));
    TxtGet->setAccessibleName(tr("Chat log"));

    RoomList = new UserListBox(client);
    RoomList->setGeometry(twipsRect(6000, 0, 2175, 3135));
    RoomList->setAccessibleName(tr("Users in channel"));

    TxtSend = new InputBox(client);
    TxtSend->setGeometry(twipsRect(0, 3160, 7095, 285));
    TxtSend->setAccessibleName(tr("Message"));

    TxtWhisper = new LogBox(client);
    TxtWhisper->setGeometry(twipsRect(0, 3480, 8175, 1410));
    TxtWhisper->setAccessibleName(tr("Whisper log"));

    cmdSend = new QPushButton(tr("Send"), client);
    cmdSend->setGeometry(twipsRect(6000, 3160, 1095, 285));
    cmdSend->setAccessibleName(tr("Send"));
    cmdSend->setDefault(true);
    // The send box reaches under the button; the button is drawn above it.
    cmdSend->raise();

    cmdWhisper = new QPushButton(tr("&Whisper"), client);
    cmdWhisper->setGeometry(twipsRect(7200, 3160, 975, 285));
    cmdWhisper->setAccessibleName(tr("Whisper"));

    StatusBar1 = new StatusLine(this);
    StatusBar1->setFixedHeight(px(StatusHeight));
    StatusBar1->setAccessibleName(tr("Status"));
    setStatusBar(StatusBar1);

    setTabOrder(TxtGet, RoomList);
    setTabOrder(RoomList, TxtSend);
    setTabOrder(TxtSend, TxtWhisper);
    setTabOrder(TxtWhisper, cmdSend);
    setTabOrder(cmdSend, cmdWhisper);

    BattleSock = new ChatSocket(this);

    tmrAnti = new QTimer(this);
    tmrAnti->setInterval(65535);
    // Never started; kept because Disconnect stops it alongside the anti-idle timer.
    tmrConnection = new QTimer(this);
    tmrReconnect = new WaitTimer(this);
    tmrReconnect->setObjectName(QStringLiteral("tmrReconnect"));
    tmrSilence = new WaitTimer(this);
}

void frmMain::buildMenus()
{
    QMenuBar* bar = menuBar();

    // The marked letters open the menus with Alt; screen readers read the captions without
    // the marks.
    mnuFile = bar->addMenu(tr("&File"));
    mnuConnect = mnuFile->addAction(tr("Connect"));
    mnuDisconnect = mnuFile->addAction(tr("Disconnect"));
    mnuLine3 = mnuFile->addSeparator();
    mnuOrvel = mnuFile->addAction(QStringLiteral("OrvelGroup"));
    mnuKn = mnuFile->addAction(QStringLiteral("\u00AB\u00B7K\u00B7e\u00B7s\u00B7t\u00B7r\u00B7a"
                                              "\u00B7n\u00B7e\u00B7\u00BB"));
    mnuLine6 = mnuFile->addSeparator();
    mnuSaveLog = mnuFile->addAction(tr("Save Chat Log..."));
    mnuOpenLogFolder = mnuFile->addAction(tr("Open Log Folder"));
    mnuLine1 = mnuFile->addSeparator();
    mnuExit = mnuFile->addAction(tr("Exit"));

    mnuOptions = bar->addMenu(tr("&Options"));
    mnuAntiDisplay = mnuOptions->addAction(tr("Anti-Idle"));
    mnuAntiDisplay->setCheckable(true);
    mnuAntiMessage = mnuOptions->addAction(tr("Anti-Idle Message"));
    mnuline2 = mnuOptions->addSeparator();
    mnuJoinLeave = mnuOptions->addAction(tr("Display Join/Leave"));
    mnuJoinLeave->setCheckable(true);
    mnuReconnect = mnuOptions->addAction(tr("Reconnect Automatically"));
    mnuReconnect->setCheckable(true);
    mnuTimestamps = mnuOptions->addAction(tr("Timestamps"));
    mnuTimestamps->setCheckable(true);
    mnuNotify = mnuOptions->addAction(tr("Notify on Mentions"));
    mnuNotify->setCheckable(true);
    mnuScrollback = mnuOptions->addAction(tr("Scrollback..."));
    mnuFlood = mnuOptions->addAction(tr("Flood Protection..."));
    mnuLogToDisk = mnuOptions->addAction(tr("Log to Disk"));
    mnuLogToDisk->setCheckable(true);
    mnuline4 = mnuOptions->addSeparator();
    mnuCommands = mnuOptions->addAction(tr("List B.Net Chat Commands"));
    mnuFind = mnuOptions->addAction(tr("Find..."));
    mnuline5 = mnuOptions->addSeparator();
    mnuSend = mnuOptions->addAction(tr("Send Text"));
    mnuWhisper = mnuOptions->addAction(tr("Whisper Text"));
    mnuEmote = mnuOptions->addAction(tr("Emote Text"));

    mnuHelp = bar->addMenu(tr("&Help"));
    mnuAbout = mnuHelp->addAction(tr("About"));
    mnuBugs = mnuHelp->addAction(tr("Bugs"));
    mnuContact = mnuHelp->addAction(tr("Contact"));
}

// Closing the main window through its frame ends the program, like File > Exit, whatever
// other windows are loaded.
void frmMain::closeEvent(QCloseEvent* event)
{
    event->ignore();
    mnuExit_Click();
}
