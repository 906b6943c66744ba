#include "protocol/ReceivedText.h"

#include "protocol/LineBuffer.h"

#include <QCoreApplication>

namespace {

// Strict UTF-8 check: the byte ranges of well-formed sequences, which exclude overlong
// forms, UTF-16 surrogates and code points above U+10FFFF.
bool isValidUtf8(const unsigned char* p, const unsigned char* end)
{
    auto inRange = [](unsigned char c, unsigned char low, unsigned char high) {
        return c >= low && c <= high;
    };
    while (p != end) {
        const unsigned char c = *p;
        if (c < 0x80) {
            ++p;
            continue;
        }
        int follow = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (inRange(c, 0xC2, 0xDF)) {
            follow = 1;
        } else if (inRange(c, 0xE0, 0xEF)) {
            follow = 2;
            if (c == 0xE0)
                low = 0xA0;
            else if (c == 0xED)
                high = 0x9F;
        } else if (inRange(c, 0xF0, 0xF4)) {
            follow = 3;
            if (c == 0xF0)
                low = 0x90;
            else if (c == 0xF4)
                high = 0x8F;
        } else {
            return false;
        }
        if (end - p <= follow || !inRange(p[1], low, high))
            return false;
        for (int i = 2; i <= follow; ++i) {
            if (!inRange(p[i], 0x80, 0xBF))
                return false;
        }
        p += follow + 1;
    }
    return true;
}

// Windows-1252 for 0x80..0x9F. The five bytes Windows leaves undefined map to the C1
// control of the same value, as Windows' own conversion does.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, //
};

QString fromWindows1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char b : bytes) {
        const auto c = static_cast<unsigned char>(b);
        *out++ = (c >= 0x80 && c <= 0x9F) ? QChar(Cp1252High[c - 0x80]) : QChar(c);
    }
    return text;
}

} // namespace

QString decodeLine(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    if (isValidUtf8(p, p + bytes.size()))
        return QString::fromUtf8(bytes);
    return fromWindows1252(bytes);
}

namespace {

// Shown instead of a character that would not show itself.
constexpr char16_t Replacement = QChar::ReplacementCharacter;

// Characters a text box draws as nothing, or lets act on the text around them: the whole
// format category (zero-width blanks and joiners, direction marks, the byte order mark,
// invisible operators, tags...) and Unicode's other default-ignorable code points (the soft
// hyphen's and the Hangul fillers' kin, variation selectors, the combining grapheme joiner,
// and those kept for future ones). With them two different names would look alike.
bool isInvisible(char32_t c)
{
    if (QChar::category(c) == QChar::Other_Format)
        return true;
    struct Range {
        char32_t first;
        char32_t last;
    };
    static constexpr Range DefaultIgnorable[] = {
        {0x034F, 0x034F}, {0x115F, 0x1160},   {0x17B4, 0x17B5},   {0x180B, 0x180F},
        {0x2060, 0x206F}, {0x3164, 0x3164},   {0xFE00, 0xFE0F},   {0xFFA0, 0xFFA0},
        {0xFFF0, 0xFFF8}, {0x1BCA0, 0x1BCA3}, {0x1D173, 0x1D17A}, {0xE0000, 0xE0FFF},
    };
    for (const Range& range : DefaultIgnorable) {
        if (c >= range.first && c <= range.last)
            return true;
    }
    return false;
}

// The code point that starts at `i` (0 past the end).
char32_t codePointAt(const QString& text, qsizetype i)
{
    if (i >= text.size())
        return 0;
    const char16_t c = text[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate())
        return QChar::surrogateToUcs4(c, text[i + 1].unicode());
    return c;
}

bool isPictograph(char32_t c)
{
    return QChar::category(c) == QChar::Symbol_Other;
}

// The two invisible characters that every emoji sequence is made of, where they stand in
// one: a presentation selector right after a pictograph (❤️), a joiner between two
// (👨‍👩‍👧, also behind a skin tone or a selector). Shown as symbols, they would break
// the emoji people send every day; standing there, they cannot make one name look like another.
bool joinsEmoji(char16_t c, char32_t previous, char32_t next)
{
    if (c == 0xFE0E || c == 0xFE0F)
        return isPictograph(previous);
    if (c == 0x200D)
        return (isPictograph(previous) || previous == 0xFE0F ||
                (previous >= 0x1F3FB && previous <= 0x1F3FF)) &&
               isPictograph(next);
    return false;
}

} // namespace

QString makeControlsVisible(QString text)
{
    bool pairReplaced = false;
    char32_t previous = 0; // the code point before this one, as received
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        const char32_t here = codePointAt(text, i);
        if (c < 0x20 && c != u'\t') {
            text[i] = QChar(char16_t(0x2400 + c)); // the Control Pictures block
        } else if (c == 0x7F) {
            text[i] = QChar(char16_t(0x2421));
        } else if (c < 0xA0) {
            if (c >= 0x80)
                text[i] = QChar(Replacement);
        } else if (c == 0x2028 || c == 0x2029) {
            text[i] = QChar(Replacement);
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() &&
                   text[i + 1].isLowSurrogate()) {
            if (isInvisible(here)) {
                text[i] = QChar(Replacement);     // one character for the pair, its low half
                text[i + 1] = QChar(QChar::Null); // dropped below
                pairReplaced = true;
            }
            ++i;
        } else if (isInvisible(c) && !joinsEmoji(c, previous, codePointAt(text, i + 1))) {
            text[i] = QChar(Replacement);
        }
        previous = here;
    }
    if (pairReplaced)
        text.remove(QChar(QChar::Null));
    return text;
}

QString lineForHandler(const QByteArray& rawLine)
{
    QString line = makeControlsVisible(decodeLine(rawLine));
    line += QLatin1Char('\r');
    return line;
}

QString droppedLineNotice()
{
    return QCoreApplication::translate(
               "ReceivedText", "A line from the server was longer than %1 KiB and was dropped.")
        .arg(LineBuffer::MaxLineLength / 1024);
}
