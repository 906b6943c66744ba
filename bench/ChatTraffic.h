#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <cstdint>

// A deterministic stream of server lines shaped like a busy public channel: mostly talk,
// then joins, leaves and user lines, whispers, information lines and emotes, with a channel
// change now and then. Next to each line it gives what the client should show for it,
// built from the line's parts (not by the client's own field code), so a run can be checked
// and the same display lines can be fed to a bare text box.
class ChatTraffic {
public:
    enum class Log { None, Chat, Whisper };

    struct Line {
        QByteArray bytes; // without the line end
        Log log = Log::None;
        QString display; // the line shown in `log`
    };

    explicit ChatTraffic(std::uint64_t seed = 1);

    Line next();

    // Users in the list after the lines handed out so far.
    int userCount() const { return int(m_users.size()); }

private:
    std::uint64_t random();
    int below(int bound) { return int(random() % std::uint64_t(bound)); }
    QString name();
    QString text();
    QByteArray flags();
    void changeChannel();

    std::uint64_t m_state;
    QStringList m_users;   // names in the list, in list order
    QList<Line> m_pending; // the user lines that follow a channel change
    int m_channel = 0;
    std::int64_t m_untilChannelChange = 0;
};

// The server bytes of `count` lines of the traffic, each ending in CR LF.
QByteArray makeServerStream(int count, std::uint64_t seed = 1);

// Sizes of TCP arrivals, between minSize and maxSize bytes, that cut a stream of `total`
// bytes anywhere, mid-line included.
QList<qsizetype> makeArrivalSizes(qsizetype total, qsizetype minSize, qsizetype maxSize,
                                  std::uint64_t seed = 2);
