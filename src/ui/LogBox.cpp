#include "ui/LogBox.h"

#include "platform/WindowSystem.h"
#include "ui/MouseDown.h"

#include <QUrl>

LogBox::LogBox(QWidget* parent)
    : QPlainTextEdit(parent)
    , m_style(palette())
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setContextMenuPolicy(Qt::PreventContextMenu);
    setUndoRedoEnabled(false);
    viewport()->setMouseTracking(true); // the pointer turns into a hand over a link
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

void LogBox::insertLines(QTextCursor& cursor, const QString& text, LineKind kind) const
{
    m_style.insert(cursor, text, kind, m_timestamps ? linePrefix().size() : 0);
}

void LogBox::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        m_style.setPalette(palette());
    QPlainTextEdit::changeEvent(event);
}

void LogBox::mouseMoveEvent(QMouseEvent* event)
{
    viewport()->setCursor(anchorAt(event->position().toPoint()).isEmpty() ? Qt::IBeamCursor
                                                                          : Qt::PointingHandCursor);
    QPlainTextEdit::mouseMoveEvent(event);
}

void LogBox::mouseReleaseEvent(QMouseEvent* event)
{
    const QString link = std::exchange(m_pressedLink, QString());
    QPlainTextEdit::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && !link.isEmpty() && !textCursor().hasSelection() &&
        anchorAt(event->position().toPoint()) == link)
        WindowSystem::openUrl(QUrl(link));
}

void LogBox::mousePressEvent(QMouseEvent* event)
{
    m_pressedLink =
        event->button() == Qt::LeftButton ? anchorAt(event->position().toPoint()) : QString();
    // The whisper log keeps the ordinary edit menu (Copy, Select All) on a right press.
    if (m_editMenu && event->button() == Qt::RightButton) {
        QPlainTextEdit::mousePressEvent(event);
        return;
    }
    passMousePress(this, event, [this, event] { QPlainTextEdit::mousePressEvent(event); });
}
