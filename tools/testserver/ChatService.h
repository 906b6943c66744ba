#pragma once

#include "FloodQuota.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QHash>
#include <QList>
#include <QObject>
#include <QSet>

#include <functional>

// The chat service behind the gateway: login dialogue, channels, routing of talk, whispers
// and emotes, and the slash commands. It knows nothing of sockets: every user is an id, what
// a user sends comes in as framed lines (receiveLine), and everything the service sends
// leaves through the deliver signal. A user without a connection ("virtual user") is just a
// user whose deliveries nobody reads.
//
// Names, channel names and texts are bytes and are passed through unchanged; names and
// channels are compared case-insensitively (ASCII), as the service's users expect.
//
// The lines of a logged-in user with a connection pass the flood quota (see FloodQuota)
// before they are handled; virtual users have no connection and no quota.
class ChatService : public QObject {
    Q_OBJECT
public:
    static constexpr const char* LoginChannel = "Chat";
    static constexpr const char* VoidChannel = "The Void";

    explicit ChatService(QObject* parent = nullptr);

    // Empty: any acceptable name logs in with any password. Otherwise only these accounts,
    // with exactly their password; the name is matched without regard to case and the
    // account's own spelling is used from then on.
    void setAccounts(const QHash<QByteArray, QByteArray>& nameToPassword);

    // On by default. Off, every line is handled however fast or long it comes.
    void setFloodQuotaEnabled(bool enabled) { m_floodQuota = enabled; }
    bool isFloodQuotaEnabled() const { return m_floodQuota; }
    // The quota's clock, in whole seconds; the system clock by default.
    void setClock(std::function<qint64()> seconds) { m_clock = std::move(seconds); }

    // A new connection, in the login dialogue. greet() sends the plain-text greeting.
    int openConnection();
    void greet(int user, const QByteArray& peerAddress);
    // One line the user sent, already framed (no line end, not empty).
    void receiveLine(int user, const QByteArray& line);
    // The user's lines have reached the flood quota's disconnect limit: its connection is to
    // be closed once the lines that came with the last one have been handled (they are
    // refused like the last one).
    bool hasFlooded(int user) const { return m_users.value(user).flooded; }
    // The connection is gone: the user leaves its channel and is forgotten.
    void closeConnection(int user);

    // A logged-in user without a connection, in no channel yet. Returns its id, or -1 when
    // the name is taken or not acceptable.
    int addVirtualUser(const QByteArray& name);
    // Puts a logged-in user in no channel into `channel` as a login would (flags 0010).
    void enterAfterLogin(int user, const QByteArray& channel);

    // Id of the logged-in user of that name, or -1.
    int findOnline(const QByteArray& name) const;
    QByteArray nameOf(int user) const;
    // Current channel of a logged-in user (its own spelling), empty when in none.
    QByteArray channelOf(int user) const;
    QByteArrayList channelMembers(const QByteArray& channel) const;

    // `1006 _ "Announcement from admin: text"` to every logged-in user.
    void announce(const QByteArray& text);

signals:
    void deliver(int user, const QByteArray& bytes);
    void loggedIn(int user, const QByteArray& name);
    // The user logged out and has been forgotten; its connection should be closed once the
    // bytes delivered before have been sent.
    void closeRequested(int user);

private:
    enum class Stage { Name, Password, Chat };
    enum class Entry { Login, Join };

    struct User {
        Stage stage = Stage::Name;
        QByteArray name;    // as typed during login; the account's spelling after it
        QByteArray channel; // key of the current channel; empty when in none
        quint16 flags = 0;
        QSet<QByteArray> squelched; // keys of the names this user does not want to hear
        bool isVirtual = false;
        bool flooded = false;
        FloodQuota quota;
    };
    struct Channel {
        QByteArray name;
        QList<int> members; // in order of entry; the first one is the channel operator
        QSet<QByteArray> banned;
        QByteArray heir; // key of the designated next operator
    };
    struct Account {
        QByteArray name;
        QByteArray password;
    };
    using Handler = void (ChatService::*)(int user, const QByteArray& args);

    static QByteArray key(const QByteArray& name) { return name.toLower(); }
    static bool isAcceptableName(const QByteArray& name);

    void send(int user, const QByteArray& line) { emit deliver(user, line); }
    void info(int user, const QByteArray& text);
    void error(int user, const QByteArray& text);

    bool passesFloodQuota(int user, const QByteArray& line);
    void loginLine(int user, const QByteArray& line);
    void completeLogin(int user, const QByteArray& name);
    void sendWelcome(int user);

    Channel* channelOfUser(int user);
    quint16 flagsSeenBy(int viewer, int subject) const;
    bool isSquelching(int viewer, int subject) const;
    void enterChannel(int user, const QByteArray& channelName, Entry entry);
    void leaveChannel(int user);
    void passOperator(Channel& channel);
    void dropUser(int user);

    // ChatCommands.cpp
    void chatLine(int user, const QByteArray& line);
    void talk(int user, const QByteArray& text);
    bool isOperator(int user);
    bool requireOperator(int user);
    int memberNamed(const Channel& channel, const QByteArray& name) const;
    void whisper(int user, const QByteArray& args);
    void emote(int user, const QByteArray& args);
    void join(int user, const QByteArray& args);
    void time(int user, const QByteArray& args);
    void users(int user, const QByteArray& args);
    void whois(int user, const QByteArray& args);
    void stats(int user, const QByteArray& args);
    void kick(int user, const QByteArray& args);
    void ban(int user, const QByteArray& args);
    void unban(int user, const QByteArray& args);
    void designate(int user, const QByteArray& args);
    void squelch(int user, const QByteArray& args);
    void unsquelch(int user, const QByteArray& args);
    void logout(int user, const QByteArray& args);

    QHash<int, User> m_users;
    QHash<QByteArray, int> m_online;       // key of name -> logged-in user
    QHash<QByteArray, Channel> m_channels; // key of name -> channel (kept for its ban list)
    QHash<QByteArray, Account> m_accounts; // key of name -> account
    QHash<QByteArray, QByteArray> m_known; // key -> spelling of every name with a record
    int m_nextId = 0;
    bool m_floodQuota = true;
    std::function<qint64()> m_clock;
};
