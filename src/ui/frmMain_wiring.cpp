#include "ui/frmMain.h"

#include "platform/ChatSocket.h"
#include "platform/WaitTimer.h"
#include "settings/SettingText.h"
#include "ui/LogBox.h"
#include "ui/UserListBox.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {
// A check-mark item's click handler sets the mark itself; Qt toggles a checkable action
// before it reports the click, so that toggle is undone first.
template <class Handler> void connectCheckItem(QAction* item, frmMain* window, Handler handler)
{
    QObject::connect(item, &QAction::triggered, window, [item, window, handler] {
        item->setChecked(!item->isChecked());
        (window->*handler)();
    });
}
} // namespace

void frmMain::wireEvents()
{
    connect(BattleSock, &ChatSocket::DataArrival, this, &frmMain::BattleSock_DataArrival);

    // The send button is the window's default button: Enter in the input box clicks it
    // (a disabled button ignores the click).
    connect(TxtSend, &QLineEdit::returnPressed, cmdSend, &QPushButton::click);

    // Connection lifecycle.
    connect(BattleSock, &ChatSocket::ConnectFailed, this, &frmMain::BattleSock_ConnectFailed);
    connect(BattleSock, &ChatSocket::ConnectionLost, this, &frmMain::BattleSock_ConnectionLost);
    connect(mnuConnect, &QAction::triggered, this, &frmMain::mnuConnect_Click);
    connect(mnuDisconnect, &QAction::triggered, this, &frmMain::mnuDisconnect_Click);
    connect(mnuExit, &QAction::triggered, this, &frmMain::mnuExit_Click);
    connectCheckItem(mnuReconnect, this, &frmMain::mnuReconnect_Click);
    connect(tmrReconnect, &WaitTimer::timeout, this, &frmMain::tmrReconnect_Timer);
    connect(tmrSilence, &WaitTimer::timeout, this, &frmMain::tmrSilence_Timer);

    // Sending, pop-up commands and anti-idle.
    connect(cmdSend, &QPushButton::clicked, this, &frmMain::cmdSend_Click);
    connect(cmdWhisper, &QPushButton::clicked, this, &frmMain::cmdWhisper_Click);
    connect(mnuSend, &QAction::triggered, this, &frmMain::mnuSend_Click);
    connect(mnuWhisper, &QAction::triggered, this, &frmMain::mnuWhisper_Click);
    connect(mnuEmote, &QAction::triggered, this, &frmMain::mnuEmote_Click);
    connect(RoomList, &UserListBox::mouseDown, this, &frmMain::RoomList_MouseDown);
    connect(TxtGet, &LogBox::mouseDown, this, &frmMain::TxtGet_MouseDown);
    connectCheckItem(mnuAntiDisplay, this, &frmMain::mnuAntiDisplay_Click);
    connect(mnuAntiMessage, &QAction::triggered, this, &frmMain::mnuAntiMessage_Click);
    connect(tmrAnti, &QTimer::timeout, this, &frmMain::tmrAnti_Timer);
    connect(mnuFlood, &QAction::triggered, this, &frmMain::mnuFlood_Click);

    // Receive path and information menus.
    connectCheckItem(mnuJoinLeave, this, &frmMain::mnuJoinLeave_Click);
    connect(mnuScrollback, &QAction::triggered, this, &frmMain::mnuScrollback_Click);

    // Desktop habits.
    connectCheckItem(mnuTimestamps, this, &frmMain::mnuTimestamps_Click);
    connectCheckItem(mnuNotify, this, &frmMain::mnuNotify_Click);
    connect(mnuSaveLog, &QAction::triggered, this, &frmMain::mnuSaveLog_Click);
    connect(SettingsWrites::instance(), &SettingsWrites::written, this, &frmMain::settingWritten);

    connect(mnuOrvel, &QAction::triggered, this, &frmMain::mnuOrvel_Click);
    connect(mnuKn, &QAction::triggered, this, &frmMain::mnuKn_Click);
    connect(mnuCommands, &QAction::triggered, this, &frmMain::mnuCommands_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmMain::mnuAbout_Click);
    connect(mnuBugs, &QAction::triggered, this, &frmMain::mnuBugs_Click);
    connect(mnuContact, &QAction::triggered, this, &frmMain::mnuContact_Click);
}
