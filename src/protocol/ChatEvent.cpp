#include "protocol/ChatEvent.h"

#include "protocol/FieldIsolation.h"

#include <QCoreApplication>

namespace {

constexpr QChar Quote = u'"';
constexpr QChar Blank = u' ';
constexpr QChar Cr = u'\r';

using Kind = ChatEvent::Kind;

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool startsWithFourDigits(QStringView line)
{
    if (line.size() < 4)
        return false;
    for (int i = 0; i < 4; ++i) {
        if (line[i] < u'0' || line[i] > u'9')
            return false;
    }
    return true;
}

// The code table: the first four characters of a line, and what they announce.
struct CodeEntry {
    const char16_t* code;
    Kind kind;
};
constexpr CodeEntry CodeTable[] = {
    {u"1001", Kind::User},    {u"1002", Kind::Join},  {u"1003", Kind::Leave},
    {u"1004", Kind::Whisper}, {u"1005", Kind::Talk},  {u"1006", Kind::Info},
    {u"1007", Kind::Channel}, {u"1009", Kind::Flags}, {u"1018", Kind::Info},
    {u"1019", Kind::Info},    {u"1023", Kind::Emote}, {u"2010", Kind::Name},
};

Kind kindOfCode(QStringView code)
{
    for (const CodeEntry& entry : CodeTable) {
        if (code == QStringView(entry.code))
            return entry.kind;
    }
    return Kind::Ignored;
}

// The text from the first to the last double quote (servers do not escape quotes inside
// a text); nullopt with fewer than two. A text that lost its end runs to the line's end.
std::optional<QStringView> quotedText(QStringView line, bool cut)
{
    const int first = InStr(1, line, Quote);
    const int last = cut ? int(line.size()) : int(line.lastIndexOf(Quote)) + 1;
    if (first == 0 || last == first)
        return std::nullopt;
    return Mid(line, first + 1, last - first - 1);
}

// The user field from userStart up to the blank in front of the flags (positions
// userStart..v-1), with the flags when there are any.
bool cutUser(QStringView line, int userStart, ChatEvent* event)
{
    const int v = FlagPos(line);
    const std::optional<QStringView> user = Mid(line, userStart, v - userStart);
    if (!user)
        return false;
    event->user = *user;
    event->flags = line.mid(v - 1, 4);
    return true;
}

// What follows the flags at v (positions v+5..L-1), without blanks: "[CHAT]".
QStringView clientTag(QStringView line, int v)
{
    const QStringView rest = line.sliced(qMin(line.size(), qsizetype(v) + 3));
    return trimBlanks(rest.endsWith(Cr) ? rest.chopped(1) : rest);
}

// Talk and emote: the user, and the text measured from the flags, positions v+6..L-2
// (v+6..L-1 when the text lost its end, closing quote and all).
bool cutUserAndText(QStringView line, int userStart, ChatEvent* event)
{
    const int v = FlagPos(line);
    const int closing = event->cut ? 0 : 1;
    const std::optional<QStringView> text = Mid(line, v + 6, int(line.size()) - (v + 6) - closing);
    if (!text || !cutUser(line, userStart, event))
        return false;
    event->text = *text;
    return true;
}

bool carriesText(Kind kind)
{
    return kind == Kind::Talk || kind == Kind::Whisper || kind == Kind::Emote || kind == Kind::Info;
}

// The line (its CR not counted) has an opening quote and does not end in a quote.
bool lostClosingQuote(QStringView line)
{
    const QStringView body = line.chopped(line.endsWith(Cr) ? 1 : 0);
    return body.contains(Quote) && !body.endsWith(Quote);
}

bool cutFields(QStringView line, ChatEvent* event)
{
    switch (event->kind) {
    case Kind::User:
    case Kind::Join:
        if (!cutUser(line, 11, event))
            return false;
        event->text = clientTag(line, FlagPos(line));
        return true;
    case Kind::Flags:
        if (!cutUser(line, 11, event))
            return false;
        event->user = trimBlanks(event->user);
        return true;
    case Kind::Leave:
        // Read even without flags: the leave then names nobody, and still counts.
        if (cutUser(line, 11, event))
            event->user = trimBlanks(event->user);
        return true;
    case Kind::Whisper: {
        const std::optional<QStringView> text = quotedText(line, event->cut);
        if (!text || !cutUser(line, 13, event))
            return false;
        event->text = *text;
        return true;
    }
    case Kind::Talk:
        return cutUserAndText(line, 6, event);
    case Kind::Emote:
        return cutUserAndText(line, 12, event);
    case Kind::Channel: {
        const std::optional<QStringView> channel = Mid(line, 15, int(line.size()) - 16);
        if (!channel)
            return false;
        event->channel = *channel;
        return true;
    }
    case Kind::Info:
        event->text = quotedText(line, event->cut).value_or(QStringView());
        return true;
    case Kind::Name: {
        const auto name = Mid(line, 11, int(line.size()) - 11);
        if (!name)
            return false;
        event->user = *name;
        return true;
    }
    case Kind::PlainText:
    case Kind::Unreadable:
    case Kind::Ignored:
        break;
    }
    return true;
}

QString joined(std::initializer_list<QStringView> parts)
{
    qsizetype size = 0;
    for (const QStringView part : parts)
        size += part.size();
    QString text;
    text.reserve(size);
    for (const QStringView part : parts)
        text.append(part);
    return text;
}

// A text of the lines the program writes about events, in the user's language. Looked up once
// each, on first use (after a translator is installed), as the receive path builds these
// lines for every event.
QString text(const char* english)
{
    return QCoreApplication::translate("ChatEvent", english);
}

// Marks a text that lost its end.
QStringView lostEnd(const ChatEvent& event)
{
    return event.cut ? QStringView(u"\u2026") : QStringView();
}

} // namespace

ChatEvent parseChatEvent(const QString& line, bool unterminated)
{
    ChatEvent event;
    if (!startsWithFourDigits(line)) {
        event.kind = Kind::PlainText;
        event.text = line.endsWith(Cr) ? QStringView(line).chopped(1) : QStringView(line);
        return event;
    }
    event.kind = kindOfCode(QStringView(line).left(4));
    event.cut = unterminated && carriesText(event.kind) && lostClosingQuote(line);
    if (!cutFields(line, &event))
        return ChatEvent{Kind::Unreadable, {}, {}, {}, {}, false};
    return event;
}

QString displayLine(const ChatEvent& event)
{
    const FieldMarks f = fieldMarks({event.user, event.text});
    switch (event.kind) {
    case Kind::Talk:
        return joined({u"<", f.open, event.user, f.close, u":>", f.open, event.text, lostEnd(event),
                       f.close});
    case Kind::Whisper: {
        static const QString whispered = text(QT_TRANSLATE_NOOP("ChatEvent", ":(Whispered) "));
        return joined(
            {f.open, event.user, f.close, whispered, f.open, event.text, lostEnd(event), f.close});
    }
    case Kind::Emote:
        return joined(
            {f.open, event.user, f.close, u" ", f.open, event.text, lostEnd(event), f.close});
    case Kind::Info:
        return joined({f.open, event.text, lostEnd(event), f.close});
    case Kind::PlainText:
        return joined({f.open, event.text, f.close});
    case Kind::Join: {
        static const QString hasJoined =
            text(QT_TRANSLATE_NOOP("ChatEvent", " has joined the channel"));
        return joined({f.open, event.user, f.close, hasJoined});
    }
    case Kind::Leave: {
        static const QString hasLeft =
            text(QT_TRANSLATE_NOOP("ChatEvent", " has left the channel"));
        return joined({f.open, event.user, f.close, hasLeft});
    }
    case Kind::User:
    case Kind::Flags:
    case Kind::Channel:
    case Kind::Name:
    case Kind::Unreadable:
    case Kind::Ignored:
        break;
    }
    return QString();
}

QString channelStatus(const QString& channel, int userCount)
{
    static const QString status = text(QT_TRANSLATE_NOOP(
        "ChatEvent", "You are connected to battle.net in channel: %1. With %2 users"));
    return status.arg(channel, QString::number(userCount));
}

QStringView trimBlanks(QStringView text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == Blank)
        ++first;
    while (last > first && text[last - 1] == Blank)
        --last;
    return text.mid(first, last - first);
}

std::optional<QStringView> Mid(QStringView s, int start, int count)
{
    if (count < 0 || start < 1)
        return std::nullopt;
    if (start > s.size())
        return s.last(0);
    return s.sliced(start - 1, qMin(qsizetype(count), s.size() - (start - 1)));
}

int InStr(int start, QStringView s, QChar c)
{
    if (start > s.size())
        return 0;
    return int(s.indexOf(c, qMax(start, 1) - 1)) + 1;
}

int FlagPos(QStringView line)
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
