#include "protocol/ChatEvent.h"

#include "protocol/FieldIsolation.h"

#include <QCoreApplication>

#include <optional>

namespace {

constexpr QChar Quote = u'"';
constexpr QChar Blank = u' ';
constexpr QChar Cr = u'\r';

using Kind = ChatEvent::Kind;

bool isHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// The count characters from position start: nullopt when count < 0 or start < 1; empty
// when start lies past the end; cut short at the end of s.
std::optional<QStringView> Mid(QStringView s, int start, int count)
{
    if (count < 0 || start < 1)
        return std::nullopt;
    if (start > s.size())
        return s.last(0);
    return s.sliced(start - 1, qMin(qsizetype(count), s.size() - (start - 1)));
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

// A line without its CR.
QStringView body(QStringView line)
{
    return line.endsWith(Cr) ? line.chopped(1) : line;
}

// A text field without the quote that opens it and the one that closes it, each only where
// it is there: a line whose quotes are missing or unbalanced keeps every other character.
QStringView unquoted(QStringView field)
{
    if (field.startsWith(Quote))
        field = field.sliced(1);
    if (field.endsWith(Quote))
        field.chop(1);
    return field;
}

// An information line's text: from the first to the last double quote (servers do not escape
// quotes inside a text); with fewer than two, everything behind "1018 INFO " (or "1019 ERROR ")
// without its lone quote. A text that lost its end runs to the line's end.
QStringView infoText(QStringView line, bool cut)
{
    const QStringView all = body(line);
    const qsizetype first = all.indexOf(Quote);
    const qsizetype last = all.lastIndexOf(Quote);
    if (first >= 0 && (cut || last > first))
        return all.sliced(first + 1, (cut ? all.size() : last) - first - 1);
    const qsizetype blank = all.indexOf(Blank, all.indexOf(Blank) + 1);
    return blank < 0 ? QStringView() : unquoted(all.sliced(blank + 1));
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

// Talk, whisper and emote: the user, and the text behind the flags and their blank, without
// its quotes (positions v+6..L-2 in a well-formed line). A text that lost its end runs to
// the line's end. A line that ends at the flags, or at their blank, has no text.
bool cutUserAndText(QStringView line, int userStart, ChatEvent* event)
{
    const int v = FlagPos(line);
    const QStringView all = body(line);
    if (v == 0 || all.size() <= v + 4 || !cutUser(line, userStart, event))
        return false;
    event->text = unquoted(all.sliced(v + 4));
    return true;
}

bool carriesText(Kind kind)
{
    return kind == Kind::Talk || kind == Kind::Whisper || kind == Kind::Emote || kind == Kind::Info;
}

// The line (its CR not counted) does not end in the quote that closes its text.
bool lostClosingQuote(QStringView line)
{
    return !body(line).endsWith(Quote);
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
    case Kind::Whisper:
        return cutUserAndText(line, 13, event);
    case Kind::Talk:
        return cutUserAndText(line, 6, event);
    case Kind::Emote:
        return cutUserAndText(line, 12, event);
    case Kind::Channel: {
        // Behind "1007 CHANNEL ", without its quotes.
        const QStringView all = body(line);
        if (all.size() <= 13)
            return false;
        event->channel = unquoted(all.sliced(13));
        return true;
    }
    case Kind::Info:
        event->text = infoText(line, event->cut);
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
    event.error = event.kind == Kind::Info && line.startsWith(u"1019");
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
