#include "connection/OneLine.h"

#include <QLineEdit>

QString onOneLine(QString text)
{
    for (QChar& c : text) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = QLatin1Char(' ');
    }
    return text;
}

void keepOnOneLine(QLineEdit* edit)
{
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit](const QString& text) {
        if (!text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n')))
            return;
        const int caret = edit->cursorPosition();
        edit->setText(onOneLine(text));
        edit->setCursorPosition(caret);
    });
}
