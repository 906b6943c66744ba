#include "ui/LogBox.h"

#include "ui/MouseDown.h"

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
    passMousePress(this, event, [this, event] { QPlainTextEdit::mousePressEvent(event); });
}
