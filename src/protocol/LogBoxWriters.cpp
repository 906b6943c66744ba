#include "protocol/LogBoxWriters.h"

#include "ui/LogBox.h"

#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStringList>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {
QString toBoxText(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// The text as it goes into the box: line ends as the box has them and, while the box shows
// time stamps, the stamp in front of every line that has text (a bare line end, such as the
// one that closes a line left open, gets none).
QString boxLines(const QPlainTextEdit* box, const QString& text)
{
    const auto* log = qobject_cast<const LogBox*>(box);
    const QString stamp = log ? log->linePrefix() : QString();
    if (stamp.isEmpty())
        return toBoxText(text);
    QStringList lines = toBoxText(text).split(QLatin1Char('\n'));
    for (QString& line : lines) {
        if (!line.isEmpty())
            line.prepend(stamp);
    }
    return lines.join(QLatin1Char('\n'));
}

void reportShown(QPlainTextEdit* box, const QString& text)
{
    if (auto* log = qobject_cast<LogBox*>(box))
        log->reportShown(text);
}

// At the cursor; in a log, as lines of that kind.
void insertStyled(QTextCursor& cursor, const QPlainTextEdit* box, const QString& text,
                  LineKind kind)
{
    if (const auto* log = qobject_cast<const LogBox*>(box))
        log->insertLines(cursor, text, kind);
    else
        cursor.insertText(text);
}

void insertText(QPlainTextEdit* box, const QString& text, LineKind kind)
{
    QTextCursor caret = box->textCursor();
    insertStyled(caret, box, boxLines(box, text), kind);
    box->setTextCursor(caret);
}
} // namespace

// A caret already at the end moves along with text inserted there, so for the usual case
// only the view has to follow; setting the caret again would lay out and scroll once more.
void AppendLine(QPlainTextEdit* box, const QString& text, LineKind kind)
{
    QTextCursor end(box->document());
    end.movePosition(QTextCursor::End);
    const QTextCursor caret = box->textCursor();
    const bool caretAtEnd = !caret.hasSelection() && caret.position() == end.position();
    insertStyled(end, box, boxLines(box, text) + QLatin1Char('\n'), kind);
    if (caretAtEnd) {
        QScrollBar* bar = box->verticalScrollBar();
        bar->setValue(bar->maximum());
    } else {
        box->setTextCursor(end);
    }
    reportShown(box, text);
}

void appendNotice(QPlainTextEdit* box, const QString& text, LineKind kind)
{
    if (!box->document()->lastBlock().text().isEmpty())
        AppendLine(box, QString());
    AppendLine(box, text, kind);
}

void EchoLine(QPlainTextEdit* box, const QString& text, LineKind kind)
{
    insertText(box, text + QStringLiteral("\r\n"), kind);
    reportShown(box, text);
}

void insertAtCaret(QPlainTextEdit* box, const QString& text, LineKind kind)
{
    insertText(box, text, kind);
    reportShown(box, text);
}

QString logText(const QPlainTextEdit* box)
{
    // Block by block: toPlainText() would also turn non-breaking spaces into blanks.
    QString text;
    for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next()) {
        if (block != box->document()->begin())
            text += QStringLiteral("\r\n");
        text += block.text();
    }
    return text;
}
