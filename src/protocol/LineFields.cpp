#include "protocol/LineFields.h"

namespace {

constexpr QChar Quote = u'"';
constexpr QChar Blank = u' ';
constexpr QChar Cr = u'\r';

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// The text from the first to the last double quote (servers do not escape quotes inside
// a text); nullopt with fewer than two.
std::optional<QString> quotedText(const QString& line)
{
    const int first = InStr(1, line, Quote);
    const int last = int(line.lastIndexOf(Quote)) + 1;
    if (first == 0 || last == first)
        return std::nullopt;
    return Mid(line, first + 1, last - first - 1);
}

// The user field up to the blank in front of the flags, and the quoted text measured from
// the flags: positions start..v-1 and v+6..L-2.
std::optional<QString> userAndText(const QString& line, int userStart, QString* text)
{
    const int v = FlagPos(line);
    const int length = int(line.size());
    const std::optional<QString> user = Mid(line, userStart, v - userStart);
    const std::optional<QString> cut = Mid(line, v + 6, length - (v + 6) - 1);
    if (!user || !cut)
        return std::nullopt;
    *text = *cut;
    return user;
}

} // namespace

std::optional<QString> Mid(const QString& s, int start, int count)
{
    if (count < 0 || start < 1)
        return std::nullopt;
    if (start > s.size())
        return QString();
    return s.mid(start - 1, count);
}

int InStr(int start, const QString& s, QChar c)
{
    if (start > s.size())
        return 0;
    return int(s.indexOf(c, qMax(start, 1) - 1)) + 1;
}

int FlagPos(const QString& line)
{
    qsizetype begin = 0;
    for (int blanks = 0; blanks < 3; ++blanks) {
        begin = line.indexOf(Blank, begin);
        if (begin < 0)
            return 0;
        ++begin;
    }
    if (line.size() - begin < 4)
        return 0;
    for (qsizetype i = begin; i < begin + 4; ++i) {
        if (!isHexDigit(line[i]))
            return 0;
    }
    const qsizetype after = begin + 4;
    if (after < line.size() && line[after] != Blank && line[after] != Cr)
        return 0;
    return int(begin) + 1;
}

std::optional<QString> TalkDisplay(const QString& line)
{
    QString text;
    const std::optional<QString> user = userAndText(line, 6, &text);
    if (!user)
        return std::nullopt;
    return QLatin1Char('<') + *user + QLatin1String(":>") + text;
}

std::optional<QString> WhisperDisplay(const QString& line)
{
    const std::optional<QString> user = Mid(line, 13, FlagPos(line) - 13);
    const std::optional<QString> text = quotedText(line);
    if (!user || !text)
        return std::nullopt;
    return *user + QLatin1String(":(Whispered) ") + *text;
}

QString InfoDisplay(const QString& line)
{
    return quotedText(line).value_or(QString());
}

std::optional<QString> EmoteDisplay(const QString& line)
{
    QString text;
    const std::optional<QString> user = userAndText(line, 12, &text);
    if (!user)
        return std::nullopt;
    return *user + Blank + text;
}

std::optional<QString> ListName(const QString& line)
{
    return Mid(line, 11, FlagPos(line) - 11);
}

QString LeaveName(const QString& line)
{
    QString name = ListName(line).value_or(QString());
    qsizetype first = 0;
    qsizetype last = name.size();
    while (first < last && name[first] == Blank)
        ++first;
    while (last > first && name[last - 1] == Blank)
        --last;
    return name.mid(first, last - first);
}

std::optional<QString> ChannelName(const QString& line)
{
    return Mid(line, 15, int(line.size()) - 16);
}

QString ChannelStatus(const QString& channel, int userCount)
{
    return QLatin1String("You are connected to battle.net in channel: ") + channel +
           QLatin1String(". With ") + QString::number(userCount) + QLatin1String(" users");
}

QString PlainTextLine(const QString& line)
{
    return line.endsWith(Cr) ? line.chopped(1) : line;
}
