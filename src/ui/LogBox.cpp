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

void LogBox::SetEditMenu(bool on)
{
    m_editMenu = on;
    setContextMenuPolicy(on ? Qt::DefaultContextMenu : Qt::PreventContextMenu);
}

void LogBox::SetTimestamps(bool on)
{
    m_timestamps = on;
}

void LogBox::SetClock(std::function<QTime()> clock)
{
    m_clock = std::move(clock);
}

QString LogBox::LinePrefix() const
{
    if (!m_timestamps)
        return QString();
    return QLatin1Char('[') + m_clock().toString(QStringLiteral("HH:mm")) + QStringLiteral("] ");
}

void LogBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton && !m_editMenu) {
        emit mouseDown(event->button(), event->modifiers());
        event->accept();
        return;
    }
    QPointer<LogBox> self(this);
    QPlainTextEdit::mousePressEvent(event);
    if (self)
        emit mouseDown(event->button(), event->modifiers());
}
