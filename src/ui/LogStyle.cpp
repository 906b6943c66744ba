#include "ui/LogStyle.h"

#include "ui/LogWords.h"

#include <QTextCursor>

#include <algorithm>

namespace {

bool fromSomeoneElse(LineKind kind)
{
    return kind == LineKind::Talk || kind == LineKind::Emote || kind == LineKind::WhisperIn;
}

struct Mark {
    qsizetype start;
    qsizetype end;
    QString href; // empty: the user's own name
};

} // namespace

LogStyle::LogStyle(const QPalette& palette)
{
    setPalette(palette);
}

// The box's own text colour needs no format of its own where it is readable already: such
// lines then follow the palette by themselves.
void LogStyle::setPalette(const QPalette& palette)
{
    m_colours = logColours(palette);
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    for (int kind = 0; kind < LineKindCount; ++kind) {
        QTextCharFormat format;
        if (m_colours.text[kind] != text)
            format.setForeground(m_colours.text[kind]);
        m_formats[kind] = format;
    }
}

bool LogStyle::mentions(QStringView text) const
{
    return findWord(text, m_ownName) >= 0;
}

void LogStyle::insert(QTextCursor& cursor, const QString& text, LineKind kind,
                      qsizetype stampLength) const
{
    QTextCharFormat base = m_formats[static_cast<int>(kind)];
    QList<Mark> marks;
    for (const FoundLink& link : findLinks(text))
        marks.append({link.start, link.start + link.length, link.url.toString(QUrl::FullyEncoded)});
    if (fromSomeoneElse(kind) && !m_ownName.isEmpty()) {
        const QStringView line = QStringView(text).first(
            text.contains(QLatin1Char('\n')) ? text.indexOf(QLatin1Char('\n')) : text.size());
        const qsizetype stamp = qMin(stampLength, line.size());
        const qsizetype from = stamp + wordsStart(kind, line.sliced(stamp));
        qsizetype at = findWord(line, m_ownName, from);
        if (at >= 0 && kind != LineKind::WhisperIn)
            base.setBackground(m_colours.mention);
        for (; at >= 0; at = findWord(line, m_ownName, at + m_ownName.size())) {
            const qsizetype end = at + m_ownName.size();
            const bool inLink = std::any_of(marks.cbegin(), marks.cend(), [&](const Mark& m) {
                return at < m.end && end > m.start;
            });
            if (!inLink)
                marks.append({at, end, QString()});
        }
        std::sort(marks.begin(), marks.end(),
                  [](const Mark& a, const Mark& b) { return a.start < b.start; });
    }
    if (marks.isEmpty()) {
        cursor.insertText(text, base);
        return;
    }
    qsizetype done = 0;
    for (const Mark& mark : std::as_const(marks)) {
        if (mark.start > done)
            cursor.insertText(text.mid(done, mark.start - done), base);
        QTextCharFormat format = base;
        if (mark.href.isEmpty()) {
            format.setFontWeight(QFont::Bold);
        } else {
            format.setAnchor(true);
            format.setAnchorHref(mark.href);
            format.setForeground(m_colours.link);
            format.setFontUnderline(true);
        }
        cursor.insertText(text.mid(mark.start, mark.end - mark.start), format);
        done = mark.end;
    }
    if (done < text.size())
        cursor.insertText(text.mid(done), base);
}
