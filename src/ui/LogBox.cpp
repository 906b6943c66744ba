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

void LogBox::setEditMenu(bool on)
{
    m_editMenu = on;
    setContextMenuPolicy(on ? Qt::DefaultContextMenu : Qt::PreventContextMenu);
}

void LogBox::setTimestamps(bool on)
{
    m_timestamps = on;
}

void LogBox::setClock(std::function<QTime()> clock)
{
    m_clock = std::move(clock);
}

QString LogBox::linePrefix() const
{
    if (!m_timestamps)
        return QString();
    return QLatin1Char('[') + m_clock().toString(QStringLiteral("HH:mm")) + QStringLiteral("] ");
}

void LogBox::mousePressEvent(QMouseEvent* event)
{
    // The whisper log keeps the ordinary edit menu (Copy, Select All) on a right press.
    if (m_editMenu && event->button() == Qt::RightButton) {
        QPlainTextEdit::mousePressEvent(event);
        return;
    }
    passMousePress(this, event, [this, event] { QPlainTextEdit::mousePressEvent(event); });
}
