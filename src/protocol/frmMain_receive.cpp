// The main window's receive path: bytes from the connection are cut into lines (framing in
// LineBuffer.h), each line is read as an event (ChatEvent.h), and the event goes to its
// handler, which writes the window's logs, user list and status line.
#include "ui/frmMain.h"

#include "platform/ChatSocket.h"
#include "platform/WaitTimer.h"
#include "platform/WindowSystem.h"
#include "protocol/ChatEvent.h"
#include "protocol/ReceivedText.h"
#include "ui/LogBox.h"
#include "ui/LogBoxWriters.h"
#include "ui/StatusLine.h"
#include "ui/UserListBox.h"

#include <QAction>
#include <QElapsedTimer>
#include <QThread>

#include <utility>

// Only what the line buffer has room for is taken; the rest waits in the socket, and the
// dispatch below comes back for it.
void frmMain::BattleSock_DataArrival()
{
    tmrSilence->stop(); // the server is alive
    m_received.append(BattleSock->GetData(m_received.room()));
    dispatchUnlessRunning();
}

// A new connection: what is left of the old one's unfinished line is thrown away. An end of
// the old stream that is still waiting behind lines being handled is reported first.
void frmMain::startReceivingAfresh()
{
    if (m_streamEnded)
        reportEndOfStream();
    m_received.clear();
}

// The server closed the connection or it broke. What it sent last is final, so an
// unfinished last line (a prompt, say) is shown as a line of its own; the end is reported
// after it, once every line that came before has been handled.
void frmMain::receiveEndOfStream()
{
    m_received.finish();
    m_streamEnded = true;
    dispatchUnlessRunning();
}

void frmMain::reportEndOfStream()
{
    m_streamEnded = false;
    reportConnectionLost();
}

// A dispatch further down the stack (we are inside one of its yields) takes new lines after
// the ones it is working on, so every line keeps its place. It cannot while a pop-up menu or
// a message box opened inside that yield runs an event loop of its own: the yield returns
// only once it has closed. Then the lines are handled here, in the same order; the dispatch
// below is between two lines, never inside a handler, and goes on with what is left.
void frmMain::dispatchUnlessRunning()
{
    const int loopLevel = QThread::currentThread()->loopLevel();
    if (m_dispatching && loopLevel <= m_dispatchLoopLevel)
        return;
    const bool below = std::exchange(m_dispatching, true);
    const int belowLoopLevel = std::exchange(m_dispatchLoopLevel, loopLevel);
    if (!below)
        m_receiveInNestedLoops->start();
    DispatchLines();
    if (!below)
        m_receiveInNestedLoops->stop();
    m_dispatchLoopLevel = belowLoopLevel;
    m_dispatching = below;
}

// The socket announces no new data while its announcement is still being handled, and a
// dispatch stuck behind a menu's event loop is inside that handling. So while a dispatch
// runs, a timer looks for data now and then; it reads only inside such a loop.
void frmMain::receiveInNestedLoop()
{
    if (QThread::currentThread()->loopLevel() > m_dispatchLoopLevel)
        BattleSock_DataArrival();
}

// Handles every complete line that is buffered, in order, and then whatever the socket still
// holds. The window gets a turn after at most MaxReceiveWorkMs of work and after the last
// line of each arrival, so it keeps answering during a long burst without paying for a
// repaint on every line. The socket does not announce bytes that came in while this runs,
// nor bytes it is still holding because the line buffer was full, so it is read again after
// each turn, and before stopping.
void frmMain::DispatchLines()
{
    QElapsedTimer sinceYield;
    sinceYield.start();
    bool handledSinceYield = false;
    QByteArray raw;
    bool unterminated = false;
    while (!m_ending) {
        const LineBuffer::Taken taken = m_received.takeNext(&raw, &unterminated);
        if (taken != LineBuffer::Taken::Nothing) {
            if (taken == LineBuffer::Taken::Line)
                DispatchLine(lineForHandler(raw), unterminated);
            else
                appendNotice(TxtGet, droppedLineNotice());
            handledSinceYield = true;
            if (sinceYield.elapsed() < MaxReceiveWorkMs)
                continue;
        } else if (!handledSinceYield) {
            if (BattleSock->bytesAvailable() == 0 || m_received.room() == 0)
                break;
            m_received.append(BattleSock->GetData(m_received.room()));
            continue;
        }
        WindowSystem::yield();
        sinceYield.restart();
        handledSinceYield = false;
        m_received.append(BattleSock->GetData(m_received.room()));
    }
    // A lost connection is reported after the last line that came before it.
    if (m_streamEnded && !m_ending)
        reportEndOfStream();
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
    AppendLine(TxtGet, displayLine(event));
}

void frmMain::OnWhisper(const ChatEvent& event)
{
    AppendLine(TxtWhisper, displayLine(event));
    alertOfWhisper();
}

// Also shows the server's error lines: a failed whisper or an unknown command must not
// look like success.
void frmMain::OnInfo(const ChatEvent& event)
{
    AppendLine(TxtGet, displayLine(event));
}

void frmMain::OnEmote(const ChatEvent& event)
{
    AppendLine(TxtGet, displayLine(event));
}

// Text without an event code: the server's greeting, its prompts and "Login failed.".
void frmMain::OnPlainText(const ChatEvent& event)
{
    if (!event.text.isEmpty())
        AppendLine(TxtGet, displayLine(event));
    if (event.text == QLatin1String("Login failed."))
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
        EchoLine(TxtGet, displayLine(event));
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
        EchoLine(TxtGet, displayLine(event));
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
