#include "ui/LogBox.h"

#include <QMouseEvent>
#include <QPointer>

LogBox::LogBox(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setUndoRedoEnabled(false);
}

void LogBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton) {
        emit mouseDown(event->button(), event->modifiers());
        event->accept();
        return;
    }
    QPointer<LogBox> self(this);
    QPlainTextEdit::mousePressEvent(event);
    if (self)
        emit mouseDown(event->button(), event->modifiers());
}
