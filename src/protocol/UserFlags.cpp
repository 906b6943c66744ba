#include "protocol/UserFlags.h"

#include <QCoreApplication>
#include <QStringList>

namespace {
constexpr quint16 Administrator = 0x01;
constexpr quint16 ChannelOperator = 0x02;
constexpr quint16 Voice = 0x04;
constexpr quint16 ServerOperator = 0x08;

// The ranks from the highest down, with their words.
struct RankBit {
    quint16 bit;
    UserFlags::Rank rank;
    const char* words;
};
constexpr RankBit Ranks[] = {
    {Administrator, UserFlags::Rank::Administrator,
     QT_TRANSLATE_NOOP("UserFlags", "administrator")},
    {ServerOperator, UserFlags::Rank::ServerOperator,
     QT_TRANSLATE_NOOP("UserFlags", "server operator")},
    {ChannelOperator, UserFlags::Rank::ChannelOperator,
     QT_TRANSLATE_NOOP("UserFlags", "channel operator")},
    {Voice, UserFlags::Rank::Voice, QT_TRANSLATE_NOOP("UserFlags", "voice")},
};
} // namespace

UserFlags::Rank UserFlags::rank() const
{
    for (const RankBit& r : Ranks) {
        if (bits & r.bit)
            return r.rank;
    }
    return Rank::None;
}

UserFlags parseUserFlags(QStringView field)
{
    if (field.size() != 4)
        return {};
    quint16 bits = 0;
    for (const QChar c : field) {
        int digit = 0;
        if (c >= u'0' && c <= u'9')
            digit = c.unicode() - u'0';
        else if (c >= u'a' && c <= u'f')
            digit = c.unicode() - u'a' + 10;
        else if (c >= u'A' && c <= u'F')
            digit = c.unicode() - u'A' + 10;
        else
            return {};
        bits = quint16(bits << 4 | digit);
    }
    return UserFlags{bits};
}

QString describeUserFlags(UserFlags flags)
{
    QStringList words;
    for (const RankBit& r : Ranks) {
        if (flags.bits & r.bit)
            words.append(QCoreApplication::translate("UserFlags", r.words));
    }
    if (flags.squelched())
        words.append(QCoreApplication::translate("UserFlags", "squelched"));
    return words.join(QStringLiteral(", "));
}
