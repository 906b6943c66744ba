// Anti-idle: while switched on, the timer posts "/me " and the editor's message every
// 65535 ms, so the server does not count the user as idle. The message is edited in frmAnti
// and kept in the settings; the timer reads the editor's text box, so text typed there is
// used at the next tick even before it is applied.
#include "ui/frmAnti.h"
#include "ui/frmMain.h"

#include "commands/OneLine.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/Forms.h"

#include <QAction>
#include <QLineEdit>
#include <QTimer>

// The check mark is the switch. Switching on starts a full interval, so no line goes out at
// the moment of the click; switching off stops the timer before the mark goes.
void frmMain::mnuAntiDisplay_Click()
{
    if (!mnuAntiDisplay->isChecked()) {
        mnuAntiDisplay->setChecked(true);
    } else {
        tmrAnti->stop();
        mnuAntiDisplay->setChecked(false);
    }
    if (mnuAntiDisplay->isChecked())
        tmrAnti->start();
}

// The main window stays hidden while the editor is open; its connection and timer go on.
void frmMain::mnuAntiMessage_Click()
{
    Forms<frmAnti>::get()->openForEditing();
    hide();
}

// An emote like any other: a message too long for one line goes out in pieces. The editor
// is loaded first if need be, which reads the stored message (see wireCommandWindows).
void frmMain::tmrAnti_Timer()
{
    Forms<frmAnti>::get();
    sendChatLine(QStringLiteral("/me "), onOneLine(m_antiIdleMessage), [](const QString&) {});
}

QString frmAnti::message() const
{
    return txtAntiMessage->text();
}

void frmAnti::openForEditing()
{
    MessageWhenOpened = message();
    Forms<frmAnti>::showActive();
}

void frmAnti::Form_Load()
{
    txtAntiMessage->setText(
        readSetting(ConfigurationKey::AntiIdleMessage, ConfigurationKey::DefaultAntiIdleMessage));
    MessageWhenOpened = txtAntiMessage->text();
}

// Apply stores the message and goes back to the main window; the switch is not touched. The
// editor is only hidden, so it reopens with the text as it was left.
void frmAnti::cmdOkay_Click()
{
    storeSetting(ConfigurationKey::AntiIdleMessage, txtAntiMessage->text());
    hide();
    emit editingEnded();
}

// Cancel (also closing the editor through its frame) goes back to the main window without
// storing and drops the edits.
void frmAnti::cmdCancel_Click()
{
    txtAntiMessage->setText(MessageWhenOpened);
    hide();
    emit editingEnded();
}
