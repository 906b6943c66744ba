#include "ui/LogBoxWriters.h"

#include "protocol/FieldIsolation.h"
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

// Tells whoever keeps a copy of what the logs show (the logs on disk) about a text just
// written, without the marks that only hold its fields in order on screen.
void reportShown(QPlainTextEdit* box, const QString& text)
{
    if (auto* log = qobject_cast<LogBox*>(box))
        log->reportShown(withoutFieldMarks(text));
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

// Where a view the user has scrolled up is: the block at its top and how many of that
// block's lines are above the view. Block numbers, as the oldest blocks may go.
struct ReadingPlace {
    int block = 0;
    int linesAbove = 0;
    int blockCount = 0;
};

ReadingPlace readingPlace(const QPlainTextEdit* box)
{
    const QTextDocument* doc = box->document();
    const int top = box->verticalScrollBar()->value();
    const QTextBlock block = doc->findBlockByLineNumber(top);
    return {block.blockNumber(), top - block.firstLineNumber(), doc->blockCount()};
}

// Back to the same text after `added` blocks were added: as many as the box has fewer than
// that were the oldest, removed at the top. When the top block itself went, the view shows
// the oldest line left.
void returnTo(QPlainTextEdit* box, const ReadingPlace& place, int added)
{
    const QTextDocument* doc = box->document();
    const int removed = place.blockCount + added - doc->blockCount();
    const QTextBlock block = doc->findBlockByNumber(qMax(0, place.block - removed));
    box->verticalScrollBar()->setValue(block.firstLineNumber() +
                                       (place.block >= removed ? place.linesAbove : 0));
}

// Adds text in the box's form at its end. A caret or a selection edge at the end would move
// along with the new text, so it is put back in front of it. Setting the caret scrolls to it,
// which the view then undoes below.
void addAtEnd(QPlainTextEdit* box, const QString& text, LineKind kind)
{
    QTextDocument* doc = box->document();
    QScrollBar* bar = box->verticalScrollBar();
    const bool following = bar->value() >= bar->maximum();
    const ReadingPlace place = following ? ReadingPlace() : readingPlace(box);
    QTextCursor end(doc);
    end.movePosition(QTextCursor::End);
    const int oldEnd = end.position();
    // Numbers, not the cursor: a copy follows the document's changes like the box's own.
    const QTextCursor caret = box->textCursor();
    const int anchor = caret.anchor();
    const int position = caret.position();
    insertStyled(end, box, text, kind);
    if (anchor == oldEnd || position == oldEnd) {
        QTextCursor kept = box->textCursor();
        const auto back = [&](int before, int now) {
            return before == oldEnd ? now - int(text.size()) : now;
        };
        const int keptPosition = back(position, kept.position());
        kept.setPosition(back(anchor, kept.anchor()));
        kept.setPosition(keptPosition, QTextCursor::KeepAnchor);
        box->setTextCursor(kept);
    }
    if (following) {
        bar->setValue(bar->maximum());
        return;
    }
    const int added = int(text.count(QLatin1Char('\n')));
    returnTo(box, place, added);
    if (auto* log = qobject_cast<LogBox*>(box))
        log->noteLinesBelow(added);
}
} // namespace

void AppendLine(QPlainTextEdit* box, const QString& text, LineKind kind)
{
    addAtEnd(box, boxLines(box, text) + QLatin1Char('\n'), kind);
    reportShown(box, text);
}

void EchoLine(QPlainTextEdit* box, const QString& text, LineKind kind)
{
    AppendLine(box, text, kind);
}

void appendNotice(QPlainTextEdit* box, const QString& text, LineKind kind)
{
    const QString line = boxLines(box, text) + QLatin1Char('\n');
    addAtEnd(box, box->document()->lastBlock().text().isEmpty() ? line : QLatin1Char('\n') + line,
             kind);
    reportShown(box, text);
}

void appendOpenText(QPlainTextEdit* box, const QString& text, LineKind kind)
{
    addAtEnd(box, boxLines(box, text), kind);
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
    return withoutFieldMarks(text);
}
