// What a logged-in user's lines do: talk, and the slash commands.
#include "ChatService.h"

#include "GatewayLines.h"

#include <QDateTime>
#include <QLocale>

#include <utility>

namespace {

// "bob some text" -> {"bob", "some text"}: the first word, and the rest after the one blank
// that ends it. The rest keeps any further blanks, as the text of a whisper must.
std::pair<QByteArray, QByteArray> firstWord(const QByteArray& args)
{
    const qsizetype blank = args.indexOf(' ');
    if (blank < 0)
        return {args, {}};
    return {args.left(blank), args.mid(blank + 1)};
}

} // namespace

void ChatService::chatLine(int user, const QByteArray& line)
{
    if (!line.startsWith('/')) {
        talk(user, line);
        return;
    }

    static const QHash<QByteArray, Handler> commands = {
        {"w", &ChatService::whisper},
        {"whisper", &ChatService::whisper},
        {"m", &ChatService::whisper},
        {"msg", &ChatService::whisper},
        {"me", &ChatService::emote},
        {"emote", &ChatService::emote},
        {"join", &ChatService::join},
        {"time", &ChatService::time},
        {"users", &ChatService::users},
        {"whois", &ChatService::whois},
        {"stats", &ChatService::stats},
        {"kick", &ChatService::kick},
        {"ban", &ChatService::ban},
        {"unban", &ChatService::unban},
        {"designate", &ChatService::designate},
        {"squelch", &ChatService::squelch},
        {"unsquelch", &ChatService::unsquelch},
        {"logout", &ChatService::logout},
        {"quit", &ChatService::logout},
    };
    const auto [command, args] = firstWord(line.mid(1));
    const Handler handler = commands.value(command.toLower(), nullptr);
    if (!handler) {
        error(user, "Unknown command.");
        return;
    }
    (this->*handler)(user, args);
}

void ChatService::talk(int user, const QByteArray& text)
{
    const Channel* channel = channelOfUser(user);
    if (!channel) {
        error(user, "You are not in a channel.");
        return;
    }
    const bool isVoid = m_users.value(user).channel == key(VoidChannel);
    if (isVoid || channel->members.size() < 2) {
        info(user, "No one hears you.");
        return;
    }
    const QByteArray name = m_users.value(user).name;
    for (const int member : channel->members) {
        if (member != user && !isSquelching(member, user))
            send(member, gateway::userTextLine("1005 TALK", name, flagsSeenBy(member, user), text));
    }
}

bool ChatService::isOperator(int user)
{
    const Channel* channel = channelOfUser(user);
    return channel && m_users.value(user).channel != key(VoidChannel) &&
           channel->members.first() == user;
}

bool ChatService::requireOperator(int user)
{
    if (isOperator(user))
        return true;
    error(user, "You are not a channel operator.");
    return false;
}

int ChatService::memberNamed(const Channel& channel, const QByteArray& name) const
{
    for (const int member : channel.members) {
        if (key(m_users.value(member).name) == key(name))
            return member;
    }
    return -1;
}

void ChatService::whisper(int user, const QByteArray& args)
{
    const auto [targetName, text] = firstWord(args);
    const int target = findOnline(targetName);
    if (target < 0) {
        error(user, "That user is not logged on.");
        return;
    }
    if (!isSquelching(target, user))
        send(target, gateway::userTextLine("1004 WHISPER", m_users.value(user).name,
                                           flagsSeenBy(target, user), text));
    send(user, gateway::userTextLine("1010 WHISPER", m_users.value(target).name,
                                     flagsSeenBy(user, target), text));
}

void ChatService::emote(int user, const QByteArray& args)
{
    const Channel* channel = channelOfUser(user);
    if (!channel) {
        error(user, "You are not in a channel.");
        return;
    }
    const bool isVoid = m_users.value(user).channel == key(VoidChannel);
    const QByteArray name = m_users.value(user).name;
    for (const int member : channel->members) {
        if (member == user || (!isVoid && !isSquelching(member, user)))
            send(member,
                 gateway::userTextLine("1023 EMOTE", name, flagsSeenBy(member, user), args));
    }
}

void ChatService::join(int user, const QByteArray& args)
{
    const QByteArray channelName = args.trimmed();
    if (channelName.isEmpty()) {
        error(user, "Please specify a channel.");
        return;
    }
    const QByteArray channelKey = key(channelName);
    if (m_users.value(user).channel == channelKey)
        return;
    const auto channel = m_channels.constFind(channelKey);
    if (channel != m_channels.cend() && channel->banned.contains(key(m_users.value(user).name))) {
        error(user, "You are banned from that channel.");
        return;
    }
    leaveChannel(user);
    enterChannel(user, channelName, Entry::Join);
}

void ChatService::time(int user, const QByteArray&)
{
    info(user,
         "Server Time: " +
             QLocale::c().toString(QDateTime::currentDateTime(), "ddd MMM dd hh:mm:ss").toLatin1());
}

void ChatService::users(int user, const QByteArray&)
{
    qsizetype channels = 0;
    for (const Channel& channel : std::as_const(m_channels))
        channels += channel.members.isEmpty() ? 0 : 1;
    info(user, "There are currently " + QByteArray::number(m_online.size()) +
                   " users online, in 0 games, and in " + QByteArray::number(channels) +
                   " channels.");
}

void ChatService::whois(int user, const QByteArray& args)
{
    const int target = findOnline(firstWord(args).first);
    if (target < 0) {
        info(user, "User is offline");
        return;
    }
    const QByteArray name = m_users.value(target).name;
    const QByteArray channel = channelOf(target);
    if (channel.isEmpty())
        info(user, name + " is using Chat and is currently not in a channel.");
    else
        info(user, name + " is using Chat and is currently in channel \"" + channel + "\".");
}

void ChatService::stats(int user, const QByteArray& args)
{
    // Every name that has an account or has been logged in has an (empty) record; the game
    // code is not looked at.
    const QByteArray name = m_known.value(key(firstWord(args).first));
    if (name.isEmpty()) {
        error(user, "Invalid user.");
        return;
    }
    info(user, name + "'s record:");
    info(user, "Normal games: 0-0-0");
    info(user, "Ladder games: 0-0-0");
}

void ChatService::kick(int user, const QByteArray& args)
{
    if (!requireOperator(user))
        return;
    const auto [targetName, reason] = firstWord(args);
    Channel& channel = *channelOfUser(user);
    const int target = memberNamed(channel, targetName);
    if (target < 0) {
        error(user, "That user is not in this channel.");
        return;
    }
    if (target == user) {
        error(user, "You can't kick yourself.");
        return;
    }
    const QByteArray text = m_users.value(target).name + " has been kicked by " +
                            m_users.value(user).name +
                            (reason.trimmed().isEmpty() ? "" : " (" + reason + ")") + ".";
    for (const int member : std::as_const(channel.members))
        info(member, text);
    // The kicked user is left in no channel until it joins one.
    leaveChannel(target);
}

void ChatService::ban(int user, const QByteArray& args)
{
    if (!requireOperator(user))
        return;
    const auto [targetName, reason] = firstWord(args);
    if (targetName.isEmpty()) {
        error(user, "That user is not logged on.");
        return;
    }
    if (key(targetName) == key(m_users.value(user).name)) {
        error(user, "You can't ban yourself.");
        return;
    }
    Channel& channel = *channelOfUser(user);
    const int target = memberNamed(channel, targetName);
    const QByteArray shownName = target >= 0 ? m_users.value(target).name : targetName;
    channel.banned.insert(key(targetName));
    const QByteArray text = shownName + " has been banned by " + m_users.value(user).name +
                            (reason.trimmed().isEmpty() ? "" : " (" + reason + ")") + ".";
    for (const int member : std::as_const(channel.members))
        info(member, text);
    if (target >= 0) {
        leaveChannel(target);
        enterChannel(target, VoidChannel, Entry::Join);
        error(target, "You are banned from that channel.");
    }
}

void ChatService::unban(int user, const QByteArray& args)
{
    if (!requireOperator(user))
        return;
    const QByteArray targetName = firstWord(args).first;
    if (!channelOfUser(user)->banned.remove(key(targetName))) {
        error(user, "That user is not banned.");
        return;
    }
    info(user, targetName + " is no longer banned from this channel.");
}

void ChatService::designate(int user, const QByteArray& args)
{
    if (!requireOperator(user))
        return;
    Channel& channel = *channelOfUser(user);
    const int target = memberNamed(channel, firstWord(args).first);
    if (target < 0) {
        error(user, "That user is not in this channel.");
        return;
    }
    if (target == user) {
        error(user, "You are already the channel operator.");
        return;
    }
    channel.heir = key(m_users.value(target).name);
    info(user, m_users.value(target).name + " is your new designated heir.");
}

void ChatService::squelch(int user, const QByteArray& args)
{
    // Squelching is personal (it only changes what this user hears), so anyone may do it.
    const int target = findOnline(firstWord(args).first);
    if (target < 0) {
        error(user, "That user is not logged on.");
        return;
    }
    if (target == user) {
        error(user, "You can't squelch yourself.");
        return;
    }
    m_users[user].squelched.insert(key(m_users.value(target).name));
    send(user,
         gateway::userLine("1009 USER", m_users.value(target).name, flagsSeenBy(user, target)));
}

void ChatService::unsquelch(int user, const QByteArray& args)
{
    const int target = findOnline(firstWord(args).first);
    if (target < 0) {
        error(user, "That user is not logged on.");
        return;
    }
    m_users[user].squelched.remove(key(m_users.value(target).name));
    send(user,
         gateway::userLine("1009 USER", m_users.value(target).name, flagsSeenBy(user, target)));
}

void ChatService::logout(int user, const QByteArray&)
{
    info(user, "Connection closed.");
    dropUser(user);
    emit closeRequested(user);
}
