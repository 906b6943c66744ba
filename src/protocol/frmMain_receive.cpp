// The main window's receive path: bytes from the connection are cut into lines (the pump in
// LineDispatcher.h, framing in LineBuffer.h), each line is read as an event (ChatEvent.h),
// and the event goes to its handler, which writes the window's logs, user list and status
// line.
#include "ui/frmMain.h"

#include "platform/ChatSocket.h"
#include "platform/WaitTimer.h"
#include "platform/WindowSystem.h"
#include "protocol/ChatEvent.h"
#include "protocol/LineDispatcher.h"
#include "protocol/ReceivedText.h"
#include "ui/LogBox.h"
#include "ui/LogBoxWriters.h"
#include "ui/StatusLine.h"
#include "ui/UserListBox.h"

#include <QAction>

#include <utility>

// The pump (LineDispatcher.h) reads the socket and cuts the lines; each comes back here.
void frmMain::BattleSock_DataArrival()
{
    m_receive->receive();
}

void frmMain::DispatchLines()
{
    m_receive->dispatchLines();
}

qsizetype frmMain::receivedBytesWaiting() const
{
    return m_receive->bytesWaiting();
}

void frmMain::receiveFrom(LineDispatcher::Source source)
{
    m_receive->setSource(std::move(source));
}

// The socket's bytes go to the pump, and its lines, decoded, to DispatchLine.
void frmMain::buildReceivePath()
{
    LineDispatcher::Source source;
    source.bytesAvailable = [this] { return BattleSock->bytesAvailable(); };
    source.read = [this](qint64 maxBytes) { return BattleSock->GetData(maxBytes); };
    LineDispatcher::Handlers handlers;
    handlers.line = [this](const QByteArray& raw, bool unterminated) {
        DispatchLine(lineForHandler(raw), unterminated);
    };
    handlers.droppedLine = [this] { appendNotice(TxtGet, droppedLineNotice(), LineKind::Error); };
    handlers.endOfStream = [this] { reportConnectionLost(); };
    m_receive = new LineDispatcher(std::move(source), std::move(handlers), this);
    m_receive->setYield(&WindowSystem::yield);
    // Anything from the server shows that it is alive.
    connect(m_receive, &LineDispatcher::receiving, tmrSilence, &WaitTimer::stop);
}

void frmMain::DispatchLine(const QString& line, bool unterminated)
{
    const ChatEvent event = parseChatEvent(line, unterminated);
    switch (event.kind) {
    case ChatEvent::Kind::User:
        OnUser(event);
        break;
    case ChatEvent::Kind::Join:
        OnJoin(event);
        break;
    case ChatEvent::Kind::Leave:
        OnLeave(event);
        break;
    case ChatEvent::Kind::Flags:
        OnFlags(event);
        break;
    case ChatEvent::Kind::Whisper:
        OnWhisper(event);
        break;
    case ChatEvent::Kind::Talk:
        OnTalk(event);
        break;
    case ChatEvent::Kind::Channel:
        OnChannel(event);
        break;
    case ChatEvent::Kind::Info:
        OnInfo(event);
        break;
    case ChatEvent::Kind::Emote:
        OnEmote(event);
        break;
    case ChatEvent::Kind::Name:
        setOwnName(event.user.toString());
        OnName(event);
        break;
    case ChatEvent::Kind::PlainText:
        OnPlainText(event);
        break;
    case ChatEvent::Kind::Unreadable:
    case ChatEvent::Kind::Ignored:
        break;
    }
}

void frmMain::OnTalk(const ChatEvent& event)
{
    AppendLine(TxtGet, displayLine(event), LineKind::Talk);
    alertOfMention(event);
}

void frmMain::OnWhisper(const ChatEvent& event)
{
    AppendLine(TxtWhisper, displayLine(event), LineKind::WhisperIn);
    alertOfWhisper();
    notifyUnlessActive(event);
}

// Also shows the server's error lines: a failed whisper or an unknown command must not
// look like success.
void frmMain::OnInfo(const ChatEvent& event)
{
    AppendLine(TxtGet, displayLine(event), event.error ? LineKind::Error : LineKind::Info);
}

void frmMain::OnEmote(const ChatEvent& event)
{
    AppendLine(TxtGet, displayLine(event), LineKind::Emote);
    alertOfMention(event);
}

// Text without an event code: the server's greeting, its prompts and "Login failed.".
void frmMain::OnPlainText(const ChatEvent& event)
{
    const bool refused = event.text == QLatin1String("Login failed.");
    if (!event.text.isEmpty())
        AppendLine(TxtGet, displayLine(event), refused ? LineKind::Error : LineKind::Info);
    if (refused)
        noteLoginRefused();
}

void frmMain::OnUser(const ChatEvent& event)
{
    RoomList->addUser(event.user.toString(), event.flags, event.text);
    ShowChannelStatus();
}

void frmMain::OnJoin(const ChatEvent& event)
{
    RoomList->addUser(event.user.toString(), event.flags, event.text);
    ShowChannelStatus();
    if (mnuJoinLeave->isChecked())
        EchoLine(TxtGet, displayLine(event), LineKind::JoinLeave);
}

void frmMain::OnLeave(const ChatEvent& event)
{
    for (int i = 0; i < RoomList->count(); ++i) {
        const QString item = RoomList->item(i)->text();
        if (trimBlanks(item) == event.user) {
            delete RoomList->takeItem(i);
            break;
        }
    }
    ShowChannelStatus();
    if (mnuJoinLeave->isChecked())
        EchoLine(TxtGet, displayLine(event), LineKind::JoinLeave);
}

// A member's rank or squelch changed: only the marks beside the name change.
void frmMain::OnFlags(const ChatEvent& event)
{
    RoomList->setUserFlags(event.user, event.flags);
}

void frmMain::OnChannel(const ChatEvent& event)
{
    RoomList->clear();
    unsetCursor();
    CurrentChannel = event.channel.toString();
    ShowChannelStatus();
    joinAfterLogin();
}

void frmMain::ShowChannelStatus()
{
    StatusBar1->setSimpleText(channelStatus(CurrentChannel, RoomList->count()));
}

void frmMain::mnuJoinLeave_Click()
{
    mnuJoinLeave->setChecked(!mnuJoinLeave->isChecked());
}
