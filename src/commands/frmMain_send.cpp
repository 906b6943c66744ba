// How the user talks: Send, Whisper and Emote take the input box and queue its text as one
// line, or as several when it is too long for the server; each piece is echoed into a log
// when it goes out. Every line the program sends after the login, including the pop-up
// commands and the anti-idle line, goes through SendLine and its one queue, which keeps to
// the server's flood quota.
#include "ui/frmMain.h"

#include "commands/LineSplitter.h"
#include "commands/SelectedUser.h"
#include "commands/SendQueue.h"
#include "connection/OneLine.h"
#include "platform/ChatSocket.h"
#include "platform/WindowSystem.h"
#include "protocol/LogBoxWriters.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/StatusLine.h"
#include "ui/frmConnect.h"

namespace {
// Written to the chat log instead of pretending that a line went out.
const QString NotSentNotice = QStringLiteral("Not sent: there is no connection to the server.");

// The name shown in echoes is the one in the connect dialog; reading it loads the dialog,
// hidden, with the stored user name when it is not open.
QString ownUserName()
{
    return Forms<frmConnect>::get()->UserNamet->text();
}
} // namespace

// Only the login may be the first thing the server gets: before it has been written, and
// while the connection is still being made, nothing else is.
bool frmMain::canSendLines() const
{
    return m_loginSent && BattleSock->state() == ChatSocket::State::Connected;
}

// One line to the server: the text with any CR or LF turned into a blank, as UTF-8, queued
// behind the lines still waiting.
bool frmMain::SendLine(const QString& text, std::function<void()> whenSent)
{
    if (!canSendLines()) {
        appendNotice(TxtGet, NotSentNotice, LineKind::Error);
        return false;
    }
    outgoing->enqueue({onOneLine(text).toUtf8(), std::move(whenSent)});
    return true;
}

bool frmMain::sendChatLine(const QString& prefix, const QString& text,
                           const std::function<void(const QString& piece)>& echo)
{
    if (!canSendLines()) {
        appendNotice(TxtGet, NotSentNotice, LineKind::Error);
        return false;
    }
    for (const QString& piece : splitLongLine(prefix, text, outgoing->limits().longestLine))
        SendLine(prefix + piece, [echo, piece] { echo(piece); });
    return true;
}

int frmMain::discardWaitingLines()
{
    return outgoing->discard();
}

// The connection in use is ending or being replaced: until the next login nothing more goes
// out, and the lines still waiting are dropped, with a word in the chat log.
void frmMain::stopSendingLines()
{
    m_loginSent = false;
    tellUnsentLines(discardWaitingLines());
}

void frmMain::tellUnsentLines(int count)
{
    if (count == 1)
        appendNotice(TxtGet, QStringLiteral("Not sent: 1 line that was still waiting."),
                     LineKind::Error);
    else if (count > 1)
        appendNotice(TxtGet,
                     QStringLiteral("Not sent: %1 lines that were still waiting.").arg(count),
                     LineKind::Error);
}

void frmMain::showWaitingLines(int waiting)
{
    StatusBar1->setRightText(waiting == 0   ? QString()
                             : waiting == 1 ? QStringLiteral("1 line waiting")
                                            : QStringLiteral("%1 lines waiting").arg(waiting));
}

// Send: the input as a chat line. Only the empty string is refused; blanks are sent. A
// typed whisper or emote command that is too long is split with its command repeated;
// any other command is never split.
void frmMain::cmdSend_Click()
{
    const QString text = onOneLine(TxtSend->text());
    if (text.isEmpty()) {
        WindowSystem::beep();
        return;
    }
    const QString name = ownUserName();
    const QString prefix = splitPrefixOf(text).value_or(text);
    const auto echo = [this, name, prefix](const QString& piece) {
        EchoLine(TxtGet, name + QStringLiteral(": ") + prefix + piece, LineKind::OwnEcho);
    };
    if (!sendChatLine(prefix, text.mid(prefix.size()), echo))
        return;
    noteLineTyped(text);
    TxtSend->clearAfterSending();
}

// Whisper: the input privately to the selected user, whose item is used as it stands (a
// trailing blank included). With no user selected there is nobody to whisper to.
void frmMain::cmdWhisper_Click()
{
    const std::optional<QString> selected = selectedUser(RoomList);
    if (!selected) {
        WindowSystem::beep();
        return;
    }
    const QString target = onOneLine(*selected);
    const auto echo = [this, target](const QString& piece) {
        EchoLine(TxtWhisper, QStringLiteral("To <") + target + QStringLiteral("> ") + piece,
                 LineKind::WhisperOut);
    };
    if (!sendChatLine(QStringLiteral("/w ") + target + QLatin1Char(' '), onOneLine(TxtSend->text()),
                      echo))
        return;
    TxtSend->clearAfterSending();
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
    const QString name = ownUserName();
    const auto echo = [this, name](const QString& piece) {
        EchoLine(TxtGet, QLatin1Char('<') + name + QLatin1Char(' ') + piece + QLatin1Char('>'),
                 LineKind::OwnEcho);
    };
    if (!sendChatLine(QStringLiteral("/emote "), onOneLine(TxtSend->text()), echo))
        return;
    TxtSend->clearAfterSending();
}
