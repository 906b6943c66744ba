// The two pop-up menus: a right press on the user list offers commands about the selected
// user, a right press on the chat log offers commands about the service. Each command is one
// line sent as it stands; nothing is echoed, because the server's answer shows what happened.
#include "ui/frmMenus.h"

#include "platform/WindowSystem.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/SelectedUser.h"
#include "ui/frmMain.h"

#include <QMenu>

// The right press leaves the list's selection alone, so the command acts on the user who was
// selected before it. Afterwards the user types on in the message box.
void frmMain::RoomList_MouseDown(Qt::MouseButton button)
{
    if (button != Qt::RightButton)
        return;
    frmMenus* menus = Forms<frmMenus>::get();
    menus->PopupMenu(menus->mnuChatOptions);
    TxtSend->setFocus();
}

// The log is disabled while the menu is open, so the service menu is the only one shown for
// this press; afterwards its text and caret are untouched and the focus is in the message
// box.
void frmMain::TxtGet_MouseDown(Qt::MouseButton button)
{
    if (button != Qt::RightButton)
        return;
    TxtGet->setEnabled(false);
    frmMenus* menus = Forms<frmMenus>::get();
    menus->PopupMenu(menus->mnuBnetOptions);
    TxtGet->setEnabled(true);
    TxtSend->setFocus();
}

void frmMenus::mnuBan_Click()
{
    emit userCommandChosen(QStringLiteral("/ban "), QString());
}

void frmMenus::mnuUnban_Click()
{
    emit userCommandChosen(QStringLiteral("/unban "), QString());
}

void frmMenus::mnuKick_Click()
{
    emit userCommandChosen(QStringLiteral("/kick "), QString());
}

void frmMenus::mnuDesignate_Click()
{
    emit userCommandChosen(QStringLiteral("/designate "), QString());
}

void frmMenus::mnuSquelch_Click()
{
    emit userCommandChosen(QStringLiteral("/squelch "), QString());
}

void frmMenus::mnuUnsquelch_Click()
{
    emit userCommandChosen(QStringLiteral("/unsquelch "), QString());
}

void frmMenus::mnuWhois_Click()
{
    emit userCommandChosen(QStringLiteral("/whois "), QString());
}

// Game statistics: "/stats <user> <game>", the game code led by its blank.
void frmMenus::mnuSC_Click()
{
    emit userCommandChosen(QStringLiteral("/stats "), QStringLiteral(" star"));
}

void frmMenus::mnuBW_Click()
{
    emit userCommandChosen(QStringLiteral("/stats "), QStringLiteral(" sexp"));
}

void frmMenus::mnuWar2_Click()
{
    emit userCommandChosen(QStringLiteral("/stats "), QStringLiteral(" w2bne"));
}

void frmMenus::mnuTime_Click()
{
    emit serviceCommandChosen(QStringLiteral("/time"));
}

void frmMenus::mnuUsers_Click()
{
    emit serviceCommandChosen(QStringLiteral("/users"));
}
