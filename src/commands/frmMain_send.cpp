// How the user talks: Send, Whisper and Emote take the input box, send one line each and
// echo what was said into a log. Every line the program sends after the login, including the
// pop-up commands and the anti-idle line, goes out through SendLine.
#include "ui/frmMain.h"

#include "commands/SelectedUser.h"
#include "connection/OneLine.h"
#include "platform/WindowSystem.h"
#include "protocol/LogBoxWriters.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/frmConnect.h"

#include <QLineEdit>

namespace {
// Written to the chat log instead of pretending that a line went out.
const QString NotSentNotice = QStringLiteral("Not sent: there is no connection to the server.");

// The name shown in echoes is the one in the connect dialog; reading it loads the dialog,
// hidden, with the stored user name when it is not open.
QString OwnUserName()
{
    return Forms<frmConnect>::Get()->UserNamet->text();
}
} // namespace

// One line to the server: the text with any CR or LF turned into a blank, then CR LF, as
// UTF-8, in one write. Without a connection (made or being made) nothing is sent and the
// chat log says so; the caller then leaves everything as it was.
bool frmMain::SendLine(const QString& text)
{
    if (sendToServer((OnOneLine(text) + QStringLiteral("\r\n")).toUtf8()))
        return true;
    AppendNotice(TxtGet, NotSentNotice);
    return false;
}

// Send: the input as a chat line. Only the empty string is refused; blanks are sent.
void frmMain::cmdSend_Click()
{
    const QString text = OnOneLine(TxtSend->text());
    if (text.isEmpty()) {
        WindowSystem::Beep();
        return;
    }
    if (!SendLine(text))
        return;
    EchoLine(TxtGet, OwnUserName() + QStringLiteral(": ") + text);
    TxtSend->clear();
}

// Whisper: the input privately to the selected user, whose item is used as it stands (a
// trailing blank included). With no user selected there is nobody to whisper to.
void frmMain::cmdWhisper_Click()
{
    const std::optional<QString> selected = SelectedUser(RoomList);
    if (!selected) {
        WindowSystem::Beep();
        return;
    }
    const QString target = OnOneLine(*selected);
    const QString text = OnOneLine(TxtSend->text());
    if (!SendLine(QStringLiteral("/w ") + target + QLatin1Char(' ') + text))
        return;
    EchoLine(TxtWhisper, QStringLiteral("To <") + target + QStringLiteral("> ") + text);
    TxtSend->clear();
}

void frmMain::mnuSend_Click()
{
    cmdSend_Click();
}

void frmMain::mnuWhisper_Click()
{
    cmdWhisper_Click();
}

// Emote: the input as an emote line; an empty input is sent as well.
void frmMain::mnuEmote_Click()
{
    const QString text = OnOneLine(TxtSend->text());
    if (!SendLine(QStringLiteral("/emote ") + text))
        return;
    EchoLine(TxtGet, QLatin1Char('<') + OwnUserName() + QLatin1Char(' ') + text + QLatin1Char('>'));
    TxtSend->clear();
}
