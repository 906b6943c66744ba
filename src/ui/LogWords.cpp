#include "ui/LogWords.h"

#include <algorithm>

namespace {

bool isWordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_') || c.isMark();
}

// What the log shows as a symbol, or not at all: such a text could pass for another address.
bool shownAsSymbol(QChar c)
{
    const char16_t u = c.unicode();
    if (u < 0x20 || (u >= 0x7F && u <= 0x9F) || (u >= 0x2400 && u <= 0x2426) || u == 0xFFFD)
        return true;
    switch (c.category()) {
    case QChar::Other_Format: // bidi marks, zero-width characters
    case QChar::Other_Control:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
    case QChar::Other_NotAssigned:
    case QChar::Other_PrivateUse:
        return true;
    default:
        return false;
    }
}

// Received direction controls are shown as symbols before a line gets here, so an isolate
// is one the log put around a line or a name itself: it ends an address like a blank.
bool endsAddress(QChar c)
{
    return c.isSpace() || c == QLatin1Char('<') || c == QLatin1Char('>') || c == QLatin1Char('"') ||
           (c.unicode() >= 0x2066 && c.unicode() <= 0x2069);
}

// Drops what ends a sentence rather than the address: trailing punctuation, and a closing
// bracket without its opening one in the address.
qsizetype trimmedLength(QStringView address)
{
    qsizetype length = address.size();
    while (length > 0) {
        const QChar last = address[length - 1];
        if (QStringView(u".,;:!?'*").contains(last)) {
            --length;
            continue;
        }
        const qsizetype pair = QStringView(u")]}").indexOf(last);
        if (pair >= 0) {
            const QChar open = QStringView(u"([{")[pair];
            const QStringView inside = address.first(length);
            if (inside.count(open) < inside.count(last)) {
                --length;
                continue;
            }
        }
        break;
    }
    return length;
}

const QStringView Prefixes[] = {u"https://", u"http://", u"www."};

} // namespace

qsizetype findWord(QStringView text, QStringView word, qsizetype from)
{
    if (word.isEmpty())
        return -1;
    for (qsizetype at = text.indexOf(word, from, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(word, at + 1, Qt::CaseInsensitive)) {
        const qsizetype end = at + word.size();
        if ((at == 0 || !isWordChar(text[at - 1])) &&
            (end == text.size() || !isWordChar(text[end])))
            return at;
    }
    return -1;
}

qsizetype wordsStart(LineKind kind, QStringView line)
{
    QStringView marker;
    switch (kind) {
    case LineKind::Talk:
        marker = u":>";
        break;
    case LineKind::WhisperIn:
        marker = u":(Whispered) ";
        break;
    case LineKind::Emote:
        marker = u" ";
        break;
    default:
        return 0;
    }
    const qsizetype at = line.indexOf(marker);
    return at < 0 ? 0 : at + marker.size();
}

QList<FoundLink> findLinks(QStringView text)
{
    QList<FoundLink> links;
    // Every address holds a '/' or a '.': most lines are done with after these quick looks.
    if (!text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char('/')))
        return links;
    qsizetype at = 0;
    while (at < text.size()) {
        // The earliest prefix from here that does not continue a word ("xhttp://").
        qsizetype start = -1;
        QStringView prefix;
        for (QStringView p : Prefixes) {
            qsizetype found = text.indexOf(p, at, Qt::CaseInsensitive);
            while (found > 0 && isWordChar(text[found - 1]))
                found = text.indexOf(p, found + 1, Qt::CaseInsensitive);
            if (found >= 0 && (start < 0 || found < start)) {
                start = found;
                prefix = p;
            }
        }
        if (start < 0)
            break;
        qsizetype end = start;
        while (end < text.size() && !endsAddress(text[end]))
            ++end;
        at = end;
        const QStringView address = text.sliced(start, end - start);
        const qsizetype length = trimmedLength(address);
        if (length <= prefix.size())
            continue;
        const QStringView shown = address.first(length);
        if (std::any_of(shown.begin(), shown.end(), shownAsSymbol))
            continue;
        const QString target =
            prefix == u"www." ? QStringLiteral("http://") + shown.toString() : shown.toString();
        const QUrl url(target, QUrl::StrictMode);
        if (!url.isValid() || url.host().isEmpty())
            continue;
        links.append({start, length, url});
    }
    return links;
}
