#include "commands/LineSplitter.h"

namespace {
// UTF-16 units of the character at text[i] and its UTF-8 length. A lone surrogate counts as
// the three bytes of the replacement character it is sent as.
std::pair<qsizetype, int> charAt(QStringView text, qsizetype i)
{
    const char16_t c = text[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
        return {2, 4};
    if (c < 0x80)
        return {1, 1};
    return {1, c < 0x800 ? 2 : 3};
}

int utf8Length(QStringView text)
{
    int bytes = 0;
    for (qsizetype i = 0; i < text.size();) {
        const auto [units, length] = charAt(text, i);
        i += units;
        bytes += length;
    }
    return bytes;
}

// UTF-16 units of the longest start of `text` that fits into `room` bytes; at least one
// character.
qsizetype fittingStart(QStringView text, int room)
{
    qsizetype end = 0;
    int bytes = 0;
    while (end < text.size()) {
        const auto [units, length] = charAt(text, end);
        if (bytes + length > room)
            break;
        bytes += length;
        end += units;
    }
    return end > 0 ? end : charAt(text, 0).first;
}
} // namespace

QStringList splitLongLine(const QString& prefix, const QString& text, int longestLine,
                          SplitRefusal* refusal, int shortestPiece)
{
    const auto refuse = [refusal](SplitRefusal why) {
        if (refusal)
            *refusal = why;
        return QStringList();
    };
    if (refusal)
        *refusal = SplitRefusal::None;
    const int room = longestLine - utf8Length(prefix);
    if (utf8Length(text) > room && room < shortestPiece)
        return refuse(SplitRefusal::NoRoom);
    // Talk has no prefix: the server reads a piece that begins with "/" as a command.
    const bool guarded = prefix.isEmpty();
    const auto startsCommand = [guarded](QStringView next) {
        if (!guarded)
            return false;
        qsizetype i = 0;
        while (i < next.size() && next[i] == QLatin1Char(' '))
            ++i;
        return i < next.size() && next[i] == QLatin1Char('/');
    };
    QStringList pieces;
    QStringView rest = text;
    while (!rest.isEmpty() && utf8Length(rest) > room) {
        const qsizetype fit = fittingStart(rest, room);
        // A blank right behind the fitting start ends the piece as well as one inside it.
        qsizetype blank = qMin(fit, rest.size() - 1);
        while (blank > 0 && (rest[blank] != QLatin1Char(' ') || startsCommand(rest.mid(blank + 1))))
            --blank;
        if (blank > 0) {
            pieces << rest.left(blank).toString();
            rest = rest.mid(blank + 1);
            continue;
        }
        // No blank to cut at: the last character boundary that fits and leaves no command.
        qsizetype cut = 0;
        for (qsizetype end = 0; end < fit;) {
            end += charAt(rest, end).first;
            if (!startsCommand(rest.mid(end)))
                cut = end;
        }
        if (cut == 0)
            return refuse(SplitRefusal::WouldBeCommand);
        pieces << rest.left(cut).toString();
        rest = rest.mid(cut);
    }
    if (!rest.isEmpty() || pieces.isEmpty())
        pieces << rest.toString();
    return pieces;
}

std::optional<QString> splitPrefixOf(const QString& line)
{
    if (!line.startsWith(QLatin1Char('/')))
        return QString();
    const qsizetype firstBlank = line.indexOf(QLatin1Char(' '));
    if (firstBlank < 0)
        return std::nullopt;
    const QString command = line.left(firstBlank).toLower();
    if (command == QLatin1String("/me") || command == QLatin1String("/emote"))
        return line.left(firstBlank + 1);
    if (command != QLatin1String("/w") && command != QLatin1String("/whisper") &&
        command != QLatin1String("/m") && command != QLatin1String("/msg"))
        return std::nullopt;
    const qsizetype secondBlank = line.indexOf(QLatin1Char(' '), firstBlank + 1);
    if (secondBlank < 0)
        return std::nullopt;
    return line.left(secondBlank + 1);
}
