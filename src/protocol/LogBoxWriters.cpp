#include "protocol/LogBoxWriters.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace {
QString ToBoxText(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}
} // namespace

void AppendLine(QPlainTextEdit* box, const QString& text)
{
    QTextCursor end(box->document());
    end.movePosition(QTextCursor::End);
    end.insertText(ToBoxText(text) + QLatin1Char('\n'));
    box->setTextCursor(end);
}

void AppendNotice(QPlainTextEdit* box, const QString& text)
{
    if (!box->document()->lastBlock().text().isEmpty())
        AppendLine(box, QString());
    AppendLine(box, text);
}

void EchoLine(QPlainTextEdit* box, const QString& text)
{
    InsertAtCaret(box, text + QStringLiteral("\r\n"));
}

void InsertAtCaret(QPlainTextEdit* box, const QString& text)
{
    QTextCursor caret = box->textCursor();
    caret.insertText(ToBoxText(text));
    box->setTextCursor(caret);
}

QString LogText(const QPlainTextEdit* box)
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
