// The main window's receive path: bytes from the connection are cut into lines (the line
// format is described in LineBuffer.h), and each line goes to the handler for its event
// code. Lines without an event code (the greeting and prompts before login) are shown as
// they stand; codes without a handler are ignored.
#include "ui/frmMain.h"

#include "platform/ChatSocket.h"
#include "platform/WindowSystem.h"
#include "protocol/LineFields.h"
#include "protocol/LogBoxWriters.h"
#include "protocol/ReceivedText.h"
#include "ui/LogBox.h"
#include "ui/StatusLine.h"
#include "ui/UserListBox.h"

#include <QAction>
#include <QElapsedTimer>

namespace {
// Leading and trailing blanks removed; other white space stays.
QString TrimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == QLatin1Char(' '))
        ++first;
    while (last > first && text[last - 1] == QLatin1Char(' '))
        --last;
    return text.mid(first, last - first);
}
} // namespace

// Only what the line buffer has room for is taken; the rest waits in the socket, and the
// dispatch below comes back for it.
void frmMain::BattleSock_DataArrival()
{
    m_received.append(BattleSock->GetData(m_received.room()));
    DispatchUnlessRunning();
}

// A dispatch further down the stack (we are inside one of its yields) takes new lines after
// the ones it is working on, so every line keeps its place.
void frmMain::DispatchUnlessRunning()
{
    if (m_dispatching)
        return;
    m_dispatching = true;
    DispatchLines();
    m_dispatching = false;
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
    while (!m_ending) {
        const LineBuffer::Taken taken = m_received.takeNext(&raw);
        if (taken != LineBuffer::Taken::Nothing) {
            if (taken == LineBuffer::Taken::Line)
                DispatchLine(LineForHandler(raw));
            else
                AppendNotice(TxtGet, DroppedLineNotice());
            handledSinceYield = true;
            if (sinceYield.elapsed() < MaxReceiveWorkMs)
                continue;
        } else if (!handledSinceYield) {
            if (BattleSock->bytesAvailable() == 0 || m_received.room() == 0)
                break;
            m_received.append(BattleSock->GetData(m_received.room()));
            continue;
        }
        WindowSystem::Yield();
        sinceYield.restart();
        handledSinceYield = false;
        m_received.append(BattleSock->GetData(m_received.room()));
    }
    // A lost connection is reported after the last line that came before it.
    if (m_connectionLost && !m_ending)
        ReportConnectionLost();
}

void frmMain::DispatchLine(const QString& line)
{
    const QStringView code = QStringView(line).left(4);
    if (code == u"1001")
        OnUser(line);
    else if (code == u"1002")
        OnJoin(line);
    else if (code == u"1003")
        OnLeave(line);
    else if (code == u"1004")
        OnWhisper(line);
    else if (code == u"1005")
        OnTalk(line);
    else if (code == u"1007")
        OnChannel(line);
    else if (code == u"1018" || code == u"1019")
        OnInfo(line);
    else if (code == u"1023")
        OnEmote(line);
    else if (!StartsWithFourDigits(line))
        OnPlainText(line);
}

void frmMain::OnTalk(const QString& line)
{
    if (const auto display = TalkDisplay(line))
        AppendLine(TxtGet, *display);
}

void frmMain::OnWhisper(const QString& line)
{
    if (const auto display = WhisperDisplay(line))
        AppendLine(TxtWhisper, *display);
}

// Also shows the server's error lines: a failed whisper or an unknown command must not
// look like success.
void frmMain::OnInfo(const QString& line)
{
    AppendLine(TxtGet, InfoDisplay(line));
}

void frmMain::OnEmote(const QString& line)
{
    if (const auto display = EmoteDisplay(line))
        AppendLine(TxtGet, *display);
}

// Text without an event code: the server's greeting, its prompts and "Login failed.".
void frmMain::OnPlainText(const QString& line)
{
    const QString text = PlainTextLine(line);
    if (!text.isEmpty())
        AppendLine(TxtGet, text);
}

void frmMain::OnUser(const QString& line)
{
    const auto name = ListName(line);
    if (!name)
        return;
    RoomList->addItem(*name);
    ShowChannelStatus();
}

void frmMain::OnJoin(const QString& line)
{
    const bool notify = mnuJoinLeave->isChecked();
    const auto name = ListName(line);
    if (!name)
        return;
    RoomList->addItem(*name);
    ShowChannelStatus();
    if (notify)
        EchoLine(TxtGet, *name + QStringLiteral(" has joined the channel"));
}

void frmMain::OnLeave(const QString& line)
{
    const bool notify = mnuJoinLeave->isChecked();
    const QString name = LeaveName(line);
    for (int i = 0; i < RoomList->count(); ++i) {
        if (TrimBlanks(RoomList->item(i)->text()) == name) {
            delete RoomList->takeItem(i);
            break;
        }
    }
    ShowChannelStatus();
    if (notify)
        EchoLine(TxtGet, name + QStringLiteral(" has left the channel"));
}

void frmMain::OnChannel(const QString& line)
{
    const auto channel = ChannelName(line);
    if (!channel)
        return;
    RoomList->clear();
    unsetCursor();
    CurrentChannel = *channel;
    ShowChannelStatus();
}

void frmMain::ShowChannelStatus()
{
    StatusBar1->SetSimpleText(ChannelStatus(CurrentChannel, RoomList->count()));
}

void frmMain::mnuJoinLeave_Click()
{
    mnuJoinLeave->setChecked(!mnuJoinLeave->isChecked());
}
