// How the user talks: Send, Whisper and Emote take the input box and queue its text as one
// line, or as several when it is too long for the server; each piece is echoed into a log
// when it goes out. Every line the program sends after the login, including the pop-up
// commands and the anti-idle line, goes through SendLine and its one queue, which keeps to
// the server's flood quota.
#include "ui/frmMain.h"

#include "commands/LineSplitter.h"
#include "commands/OneLine.h"
#include "commands/SendQueue.h"
#include "platform/ChatSocket.h"
#include "platform/WindowSystem.h"
#include "protocol/FieldIsolation.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/LogBoxWriters.h"
#include "ui/SelectedUser.h"
#include "ui/StatusLine.h"
#include "ui/frmConnect.h"

#include <QElapsedTimer>

#include <utility>

namespace {
// Written to the chat log instead of pretending that a line went out.
QString notSentNotice()
{
    return frmMain::tr("Not sent: there is no connection to the server.");
}

// The name shown in echoes is the one in the connect dialog; reading it loads the dialog,
// hidden, with the stored user name when it is not open.
QString ownUserName()
{
    return Forms<frmConnect>::get()->UserNamet->text();
}

// What splitPrefixOf found at the start of a typed line: "/w name " (also "/whisper", "/m",
// "/msg") is a whisper to that name, "/me " ("/emote ") an emote; anything else is echoed
// as talk.
struct TypedCommand {
    bool whisper = false;
    QString whisperTo;
    bool emote = false;
};

TypedCommand typedCommand(const QString& prefix)
{
    if (!prefix.startsWith(QLatin1Char('/')) || !prefix.endsWith(QLatin1Char(' ')))
        return {};
    const QStringList words = prefix.chopped(1).split(QLatin1Char(' '));
    const QString command = words[0].toLower();
    if (words.size() == 1)
        return {false, QString(),
                command == QLatin1String("/me") || command == QLatin1String("/emote")};
    const bool whisper = command == QLatin1String("/w") || command == QLatin1String("/whisper") ||
                         command == QLatin1String("/m") || command == QLatin1String("/msg");
    if (words.size() == 2 && whisper && !words[1].isEmpty())
        return {true, words[1], false};
    return {};
}

// The echoes of talk, a whisper and an emote; a name or text in a right-to-left script is
// isolated so that the line keeps its order.
void echoTalk(LogBox* log, const QString& name, const QString& text)
{
    const FieldMarks f = fieldMarks({name, text});
    EchoLine(log, f.open + name + f.close + QStringLiteral(": ") + f.open + text + f.close,
             LineKind::OwnEcho);
}

void echoWhisper(LogBox* log, const QString& target, const QString& text)
{
    const FieldMarks f = fieldMarks({target, text});
    // Filled in one pass, so a % in the name or the text stays as it is.
    EchoLine(log, frmMain::tr("To <%1> %2").arg(f.open + target + f.close, f.open + text + f.close),
             LineKind::WhisperOut);
}

void echoEmote(LogBox* log, const QString& name, const QString& text)
{
    const FieldMarks f = fieldMarks({name, text});
    EchoLine(log,
             QLatin1Char('<') + f.open + name + f.close + QLatin1Char(' ') + f.open + text +
                 f.close + QLatin1Char('>'),
             LineKind::OwnEcho);
}
} // namespace

// The queue writes straight to the connection; the status line shows how many lines wait.
void frmMain::buildSendPath()
{
    // Milliseconds since the program started; they never go back.
    outgoing = new SendQueue(
        [] {
            static const QElapsedTimer started = [] {
                QElapsedTimer timer;
                timer.start();
                return timer;
            }();
            return started.elapsed();
        },
        this);
    outgoing->setWriter([this](const QByteArray& bytes) { BattleSock->SendData(bytes); });
    connect(outgoing, &SendQueue::waitingChanged, this, &frmMain::showWaitingLines);
}

// In force at once, also for the lines already waiting.
void frmMain::setFloodLimits(const FloodLimits& limits)
{
    outgoing->setLimits(limits);
}

void frmMain::setSendClock(std::function<qint64()> clock)
{
    outgoing->setClock(std::move(clock));
}

void frmMain::sendDueLines()
{
    outgoing->pump();
}

// Only the login may be the first thing the server gets: before it has been written, and
// while the connection is still being made, nothing else is.
bool frmMain::canSendLines() const
{
    return Connection::switchesOf(m_connection).sendQueue &&
           BattleSock->state() == ChatSocket::State::Connected;
}

// One line to the server: the text with any CR or LF turned into a blank, as UTF-8, queued
// behind the lines still waiting.
bool frmMain::SendLine(const QString& text, std::function<void()> whenSent)
{
    if (!canSendLines()) {
        appendNotice(TxtGet, notSentNotice(), LineKind::Error);
        return false;
    }
    outgoing->enqueue({onOneLine(text).toUtf8(), std::move(whenSent)});
    return true;
}

bool frmMain::sendChatLine(const QString& prefix, const QString& text,
                           const std::function<void(const QString& piece)>& echo)
{
    if (!canSendLines()) {
        appendNotice(TxtGet, notSentNotice(), LineKind::Error);
        return false;
    }
    const int longestLine = outgoing->limits().longestLine;
    SplitRefusal refusal = SplitRefusal::None;
    const QStringList pieces = splitLongLine(prefix, text, longestLine, &refusal);
    if (refusal == SplitRefusal::NoRoom) {
        appendNotice(TxtGet,
                     tr("Not sent: the name is too long to whisper to (a line "
                        "to the server holds at most %1 bytes).")
                         .arg(longestLine),
                     LineKind::Error);
        return false;
    }
    if (refusal == SplitRefusal::WouldBeCommand) {
        appendNotice(TxtGet,
                     tr("Not sent: the message cannot be cut into lines "
                        "without one beginning with \"/\", which the "
                        "server would run as a command."),
                     LineKind::Error);
        return false;
    }
    for (const QString& piece : pieces)
        SendLine(prefix + piece, [echo, piece] { echo(piece); });
    return true;
}

int frmMain::discardWaitingLines()
{
    return outgoing->discard();
}

// The connection in use is ending or being replaced (the connection's state closes the
// queue): the lines still waiting are dropped, with a word in the chat log.
void frmMain::stopSendingLines()
{
    tellUnsentLines(discardWaitingLines());
}

void frmMain::tellUnsentLines(int count)
{
    if (count == 1)
        appendNotice(TxtGet, tr("Not sent: 1 line that was still waiting."), LineKind::Error);
    else if (count > 1)
        appendNotice(TxtGet, tr("Not sent: %1 lines that were still waiting.").arg(count),
                     LineKind::Error);
}

void frmMain::showWaitingLines(int waiting)
{
    StatusBar1->setRightText(waiting == 0   ? QString()
                             : waiting == 1 ? tr("1 line waiting")
                                            : tr("%1 lines waiting").arg(waiting));
}

// Send: the input as a chat line. Only the empty string is refused; blanks are sent. A
// typed whisper or emote command that is too long is split with its command repeated; any
// other command is never split. A typed whisper or emote is echoed as the Whisper button
// and the Emote item echo theirs; talk and other commands as the user's talk.
void frmMain::cmdSend_Click()
{
    const QString text = onOneLine(TxtSend->text());
    if (text.isEmpty()) {
        WindowSystem::beep();
        return;
    }
    const QString name = ownUserName();
    const QString prefix = splitPrefixOf(text).value_or(text);
    const TypedCommand typed = typedCommand(prefix);
    LogBox* log = typed.whisper ? TxtWhisper : TxtGet;
    const auto echo = [log, name, prefix, typed](const QString& piece) {
        if (typed.whisper)
            echoWhisper(log, typed.whisperTo, piece);
        else if (typed.emote)
            echoEmote(log, name, piece);
        else
            echoTalk(log, name, prefix + piece);
    };
    if (!sendChatLine(prefix, text.mid(prefix.size()), echo))
        return;
    log->followEnd();
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
        echoWhisper(TxtWhisper, target, piece);
    };
    if (!sendChatLine(QStringLiteral("/w ") + target + QLatin1Char(' '), onOneLine(TxtSend->text()),
                      echo))
        return;
    TxtWhisper->followEnd();
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
    const auto echo = [this, name](const QString& piece) { echoEmote(TxtGet, name, piece); };
    if (!sendChatLine(QStringLiteral("/emote "), onOneLine(TxtSend->text()), echo))
        return;
    TxtGet->followEnd();
    TxtSend->clearAfterSending();
}
