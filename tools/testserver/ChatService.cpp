#include "ChatService.h"

#include "GatewayLines.h"

#include <QDateTime>

namespace {

const QByteArray ServerName = "the local test server";

const QByteArray LoginFailed = "\r\nLogin failed.\r\n\r\nUsername: ";

// The lines between the greeting and the mail notice, like a server's message of the day.
const char* const WelcomeInfo[] = {
    "",
    "This is a local chat gateway server for trying out chat clients.",
    "It keeps nothing: no mail, no game records, no accounts beyond its start options.",
    "",
    "Commands: /whisper (/w /m /msg), /emote (/me), /join, /time, /users, /whois, /stats",
    "Channel operator: /kick, /ban, /unban, /designate",
    "Everyone: /squelch, /unsquelch, /logout (/quit)",
    "",
};

const QByteArray ChatTopic = "Chat topic: Welcome to the local test server.";

} // namespace

ChatService::ChatService(QObject* parent)
    : QObject(parent)
    , m_clock([] { return QDateTime::currentSecsSinceEpoch(); })
{}

void ChatService::setAccounts(const QHash<QByteArray, QByteArray>& nameToPassword)
{
    m_accounts.clear();
    for (auto it = nameToPassword.cbegin(); it != nameToPassword.cend(); ++it) {
        m_accounts.insert(key(it.key()), Account{it.key(), it.value()});
        m_known.insert(key(it.key()), it.key());
    }
}

int ChatService::openConnection()
{
    const int id = m_nextId++;
    m_users.insert(id, User{});
    return id;
}

void ChatService::greet(int user, const QByteArray& peerAddress)
{
    send(user, "BOT or Telnet Connection from [" + peerAddress +
                   "]\r\n\r\nEnter your account name and password.\r\n"
                   "Sorry, there is no guest account.\r\n\r\nUsername: ");
}

void ChatService::receiveLine(int user, const QByteArray& line)
{
    const auto it = m_users.constFind(user);
    if (it == m_users.cend())
        return;
    if (it->stage == Stage::Chat) {
        if (passesFloodQuota(user, line))
            chatLine(user, line);
    } else {
        loginLine(user, line);
    }
}

void ChatService::closeConnection(int user)
{
    dropUser(user);
}

int ChatService::addVirtualUser(const QByteArray& name)
{
    if (!isAcceptableName(name) || m_online.contains(key(name)))
        return -1;
    const int id = m_nextId++;
    User& u = m_users[id];
    u.stage = Stage::Chat;
    u.name = name;
    u.isVirtual = true;
    m_online.insert(key(name), id);
    m_known.insert(key(name), name);
    return id;
}

void ChatService::enterAfterLogin(int user, const QByteArray& channel)
{
    const auto it = m_users.constFind(user);
    if (it == m_users.cend() || it->stage != Stage::Chat || !it->channel.isEmpty() ||
        channel.trimmed().isEmpty())
        return;
    enterChannel(user, channel.trimmed(), Entry::Login);
}

int ChatService::findOnline(const QByteArray& name) const
{
    return m_online.value(key(name), -1);
}

QByteArray ChatService::nameOf(int user) const
{
    return m_users.value(user).name;
}

QByteArray ChatService::channelOf(int user) const
{
    const auto it = m_users.constFind(user);
    if (it == m_users.cend() || it->channel.isEmpty())
        return {};
    return m_channels.value(it->channel).name;
}

QByteArrayList ChatService::channelMembers(const QByteArray& channel) const
{
    QByteArrayList names;
    for (const int member : m_channels.value(key(channel)).members)
        names << m_users.value(member).name;
    return names;
}

void ChatService::announce(const QByteArray& text)
{
    const QByteArray line = gateway::textLine("1006 _", "Announcement from admin: " + text);
    for (const int user : std::as_const(m_online))
        send(user, line);
}

bool ChatService::isAcceptableName(const QByteArray& name)
{
    // A blank, control character or quote in a name would make the event lines about the
    // user unreadable (the name is the field between two blanks), so such names are refused.
    if (name.isEmpty())
        return false;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7f || byte == '"')
            return false;
    }
    return true;
}

void ChatService::info(int user, const QByteArray& text)
{
    send(user, gateway::textLine("1018 INFO", text));
}

void ChatService::error(int user, const QByteArray& text)
{
    send(user, gateway::textLine("1019 ERROR", text));
}

// A refused line gets its error; a refused slash command a warning besides. Lines that
// reach the disconnect limit are refused alike; the connection is closed after them.
bool ChatService::passesFloodQuota(int user, const QByteArray& line)
{
    User& u = m_users[user];
    if (!m_floodQuota || u.isVirtual)
        return true;
    switch (u.quota.check(line, m_clock())) {
    case FloodQuota::Verdict::Pass:
        return true;
    case FloodQuota::Verdict::LineTooLong:
        error(user, "Your line length quota has been exceeded!");
        break;
    case FloodQuota::Verdict::Disconnect:
        u.flooded = true;
        [[fallthrough]];
    case FloodQuota::Verdict::QuotaExceeded:
        error(user, "Your message quota has been exceeded!");
        break;
    }
    if (line.startsWith('/'))
        error(user, "You are sending commands to " + ServerName +
                        " too quickly and risk being disconnected for flooding. Please slow down.");
    return false;
}

void ChatService::loginLine(int user, const QByteArray& line)
{
    User& u = m_users[user];
    if (u.stage == Stage::Name) {
        u.name = line;
        u.stage = Stage::Password;
        send(user, line + "\r\nPassword: ");
        return;
    }

    QByteArray name = u.name;
    bool accepted = isAcceptableName(name) && !m_online.contains(key(name));
    if (accepted && !m_accounts.isEmpty()) {
        const auto account = m_accounts.constFind(key(name));
        accepted = account != m_accounts.cend() && account->password == line;
        if (accepted)
            name = account->name;
    }
    if (!accepted) {
        // Wrong password, unknown account and a name already logged in all look alike.
        u.stage = Stage::Name;
        u.name.clear();
        send(user, LoginFailed);
        return;
    }
    completeLogin(user, name);
}

void ChatService::completeLogin(int user, const QByteArray& name)
{
    User& u = m_users[user];
    u.stage = Stage::Chat;
    u.name = name;
    m_online.insert(key(name), user);
    m_known.insert(key(name), name);

    send(user, "\r\n");
    send(user, gateway::finishLine("2010 NAME " + name));
    enterChannel(user, LoginChannel, Entry::Login);
    sendWelcome(user);
    emit loggedIn(user, name);
}

void ChatService::sendWelcome(int user)
{
    const User& u = m_users[user];
    error(user, "Hello " + u.name + ", welcome to " + ServerName + "!");
    for (const char* text : WelcomeInfo)
        info(user, text);
    send(user, gateway::userTextLine("1005 TALK", u.name, u.flags, "You have no mail."));
    info(user, ChatTopic);
}

ChatService::Channel* ChatService::channelOfUser(int user)
{
    const QByteArray channel = m_users.value(user).channel;
    if (channel.isEmpty())
        return nullptr;
    const auto it = m_channels.find(channel);
    return it == m_channels.end() ? nullptr : &*it;
}

bool ChatService::isSquelching(int viewer, int subject) const
{
    return m_users.value(viewer).squelched.contains(key(m_users.value(subject).name));
}

quint16 ChatService::flagsSeenBy(int viewer, int subject) const
{
    const quint16 flags = m_users.value(subject).flags;
    return isSquelching(viewer, subject) ? flags | gateway::FlagSquelched : flags;
}

void ChatService::enterChannel(int user, const QByteArray& channelName, Entry entry)
{
    const QByteArray channelKey = key(channelName);
    Channel& channel = m_channels[channelKey];
    if (channel.name.isEmpty())
        channel.name = channelName;
    // In the void nobody sees anybody, and nobody is operator there.
    const bool isVoid = channelKey == key(VoidChannel);

    User& u = m_users[user];
    u.channel = channelKey;
    if (entry == Entry::Login)
        u.flags = gateway::FlagNoUdp;
    else if (!isVoid && channel.members.isEmpty())
        u.flags = gateway::FlagChannelOperator;
    else
        u.flags = 0;

    send(user, gateway::textLine("1007 CHANNEL", channel.name));
    send(user, gateway::presenceLine("1001 USER", u.name, u.flags));
    if (!isVoid) {
        for (const int member : std::as_const(channel.members))
            send(user, gateway::presenceLine("1001 USER", m_users.value(member).name,
                                             flagsSeenBy(user, member)));
        for (const int member : std::as_const(channel.members))
            send(member, gateway::presenceLine("1002 JOIN", u.name, flagsSeenBy(member, user)));
    }
    channel.members.append(user);
}

void ChatService::leaveChannel(int user)
{
    Channel* channel = channelOfUser(user);
    if (!channel)
        return;
    const bool isVoid = m_users[user].channel == key(VoidChannel);
    const bool wasOperator = !channel->members.isEmpty() && channel->members.first() == user;
    channel->members.removeAll(user);
    m_users[user].channel.clear();

    if (isVoid)
        return;
    for (const int member : std::as_const(channel->members))
        send(member,
             gateway::userLine("1003 LEAVE", m_users.value(user).name, flagsSeenBy(member, user)));
    if (channel->members.isEmpty())
        channel->heir.clear();
    else if (wasOperator)
        passOperator(*channel);
}

void ChatService::passOperator(Channel& channel)
{
    // The designated heir if still there, else the member who has been there longest.
    const int heir = memberNamed(channel, channel.heir);
    if (heir >= 0) {
        channel.members.removeAll(heir);
        channel.members.prepend(heir);
    }
    channel.heir.clear();
    const int op = channel.members.first();
    m_users[op].flags = gateway::FlagChannelOperator;
    for (const int member : std::as_const(channel.members))
        send(member,
             gateway::userLine("1009 USER", m_users.value(op).name, flagsSeenBy(member, op)));
}

void ChatService::dropUser(int user)
{
    if (!m_users.contains(user))
        return;
    leaveChannel(user);
    const User gone = m_users.take(user);
    if (gone.stage == Stage::Chat)
        m_online.remove(key(gone.name));
}
