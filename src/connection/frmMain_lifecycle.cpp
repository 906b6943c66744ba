// The main window's connection states: idle at start, and the end of the program.
#include "ui/frmMain.h"

#include "platform/ChatSocket.h"
#include "platform/WindowSystem.h"

#include <QAction>
#include <QPushButton>
#include <QTimer>

void frmMain::Form_Load()
{
    SetOnlineControls(false);
}

// The online controls are enabled together once logged in; Connect is always the opposite.
void frmMain::SetOnlineControls(bool online)
{
    cmdSend->setEnabled(online);
    cmdWhisper->setEnabled(online);
    mnuSend->setEnabled(online);
    mnuEmote->setEnabled(online);
    mnuWhisper->setEnabled(online);
    mnuDisconnect->setEnabled(online);
    mnuAntiDisplay->setEnabled(online);
    mnuConnect->setEnabled(!online);
}

// Ends the program at once: the connection is dropped without another byte being sent,
// and a receive burst in progress stops at its next line.
void frmMain::mnuExit_Click()
{
    m_ending = true;
    tmrAnti->stop();
    BattleSock->Close();
    WindowSystem::EndProgram();
}
