#include "ChatTraffic.h"

namespace {

const char* const Syllables[] = {"ka",  "mor", "vel", "dra", "sin", "tor", "lia", "zen",
                                 "qua", "ril", "bo",  "nyx", "fen", "ash", "gul", "ye"};
const char* const Words[] = {"hi",
                             "hello",
                             "anyone",
                             "want",
                             "to",
                             "play",
                             "a",
                             "game",
                             "tonight",
                             "lol",
                             "gg",
                             "nice",
                             "the",
                             "map",
                             "is",
                             "too",
                             "big",
                             "for",
                             "two",
                             "players",
                             "who",
                             "has",
                             "the",
                             "patch",
                             "i",
                             "think",
                             "server",
                             "lag",
                             "again",
                             "brb",
                             "back",
                             "ok",
                             "sure",
                             "why",
                             "not",
                             "team",
                             "rush",
                             "early",
                             "defend",
                             "base",
                             "ladder",
                             "rank",
                             "what",
                             "time",
                             "is",
                             "it",
                             "there",
                             "see",
                             "you",
                             "later",
                             "thanks",
                             "no",
                             "problem",
                             "yes",
                             "maybe",
                             "join",
                             "my",
                             "channel",
                             "wait",
                             "for",
                             "me",
                             "caf\xc3\xa9",
                             "na\xc3\xafve",
                             "\xe2\x82\xac"
                             "5"};
constexpr int SyllableCount = sizeof(Syllables) / sizeof(Syllables[0]);
constexpr int WordCount = sizeof(Words) / sizeof(Words[0]);

// Users in a channel right after joining it, and lines between channel changes.
constexpr int UsersOnEntry = 40;
constexpr int LinesPerChannel = 25000;

} // namespace

ChatTraffic::ChatTraffic(std::uint64_t seed)
    : m_state(seed * 0x9E3779B97F4A7C15ull + 1)
{}

// splitmix64: fast, and the same on every platform.
std::uint64_t ChatTraffic::random()
{
    std::uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

QString ChatTraffic::name()
{
    QString result;
    const int parts = 2 + below(2);
    for (int i = 0; i < parts; ++i)
        result += QLatin1String(Syllables[below(SyllableCount)]);
    result[0] = result[0].toUpper();
    if (below(3) == 0)
        result += QString::number(below(1000));
    if (below(8) == 0)
        result += QStringLiteral("#2");
    return result;
}

QString ChatTraffic::text()
{
    QString result;
    const int words = 1 + below(below(4) == 0 ? 25 : 10);
    for (int i = 0; i < words; ++i) {
        if (i > 0)
            result += QLatin1Char(' ');
        result += QString::fromUtf8(Words[below(WordCount)]);
    }
    if (below(4) == 0)
        result += QLatin1Char(below(2) ? '?' : '!');
    return result;
}

QByteArray ChatTraffic::flags()
{
    static const char* const Values[] = {"0010", "0010", "0010", "0000", "0002", "0012"};
    return Values[below(6)];
}

void ChatTraffic::changeChannel()
{
    ++m_channel;
    const QString channel = QStringLiteral("Public Chat %1").arg(m_channel);
    m_users.clear();
    m_pending.clear();
    m_pending.append({"1007 CHANNEL \"" + channel.toUtf8() + '"', Log::None, QString()});
    for (int i = 0; i < UsersOnEntry; ++i) {
        const QString user = name();
        m_users.append(user);
        m_pending.append(
            {"1001 USER " + user.toUtf8() + ' ' + flags() + " [CHAT]", Log::None, QString()});
    }
    m_untilChannelChange = LinesPerChannel;
}

ChatTraffic::Line ChatTraffic::next()
{
    if (m_pending.isEmpty() && m_untilChannelChange-- <= 0)
        changeChannel();
    if (!m_pending.isEmpty())
        return m_pending.takeFirst();

    // Shares in per cent: talk 72, join 7, leave 7, whisper 5, info 4, emote 4, user 1.
    int roll = below(100);
    if (roll >= 72 && roll < 86) {
        // Joins and leaves keep the channel between 10 and 200 users.
        const bool join = m_users.size() < 10 || (m_users.size() < 200 && roll < 79);
        if (join) {
            const QString user = name();
            m_users.append(user);
            return {"1002 JOIN " + user.toUtf8() + ' ' + flags() + " [CHAT]", Log::None, {}};
        }
        const QString user = m_users.takeAt(below(int(m_users.size())));
        return {"1003 LEAVE " + user.toUtf8() + ' ' + flags(), Log::None, {}};
    }
    if (roll == 99) {
        const QString user = name();
        m_users.append(user);
        return {"1001 USER " + user.toUtf8() + ' ' + flags() + " [CHAT]", Log::None, {}};
    }
    const QString speaker = m_users.isEmpty() ? name() : m_users[below(int(m_users.size()))];
    const QString said = text();
    const QByteArray quoted = '"' + said.toUtf8() + '"';
    if (roll < 72)
        return {"1005 TALK " + speaker.toUtf8() + ' ' + flags() + ' ' + quoted, Log::Chat,
                QStringLiteral("<TALK %1 :>%2").arg(speaker, said)};
    if (roll < 91)
        return {"1004 WHISPER " + speaker.toUtf8() + ' ' + flags() + ' ' + quoted, Log::Whisper,
                QStringLiteral(" %1 :(Whispered) %2").arg(speaker, said)};
    if (roll < 95)
        return {"1018 INFO " + quoted, Log::Chat, said};
    return {"1023 EMOTE " + speaker.toUtf8() + ' ' + flags() + ' ' + quoted, Log::Chat,
            QStringLiteral("%1  %2").arg(speaker, said)};
}

QByteArray makeServerStream(int count, std::uint64_t seed)
{
    ChatTraffic traffic(seed);
    QByteArray stream;
    stream.reserve(qsizetype(count) * 64);
    for (int i = 0; i < count; ++i) {
        stream += traffic.next().bytes;
        stream += "\r\n";
    }
    return stream;
}

QList<qsizetype> makeArrivalSizes(qsizetype total, qsizetype minSize, qsizetype maxSize,
                                  std::uint64_t seed)
{
    std::uint64_t state = seed;
    QList<qsizetype> sizes;
    for (qsizetype left = total; left > 0;) {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        const auto span = std::uint64_t(maxSize - minSize + 1);
        const qsizetype size = qMin(left, minSize + qsizetype((state >> 33) % span));
        sizes.append(size);
        left -= size;
    }
    return sizes;
}
