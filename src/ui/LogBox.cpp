#include "ui/LogBox.h"

#include "platform/WindowSystem.h"
#include "protocol/FieldIsolation.h"
#include "ui/MouseDown.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QPushButton>
#include <QScrollBar>
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
    QTextOption layout = document()->defaultTextOption();
    layout.setTextDirection(Qt::LeftToRight);
    document()->setDefaultTextOption(layout);

    // Not in the tab order: End in the log does the same from the keyboard.
    m_newLines = new QPushButton(this);
    m_newLines->setFocusPolicy(Qt::NoFocus);
    m_newLines->setCursor(Qt::PointingHandCursor);
    m_newLines->hide();
    connect(m_newLines, &QPushButton::clicked, this, &LogBox::followEnd);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &LogBox::viewMoved);
}

void LogBox::noteLinesBelow(int count)
{
    if (count <= 0)
        return;
    m_linesBelow += count;
    m_newLines->setText(m_linesBelow == 1 ? tr("\u2193 1 new line")
                                          : tr("\u2193 %1 new lines").arg(m_linesBelow));
    placeMarker();
    m_newLines->show();
}

void LogBox::followEnd()
{
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->maximum());
    viewMoved(bar->value());
}

// At the bottom the view follows again, however it got there.
void LogBox::viewMoved(int value)
{
    if (m_linesBelow == 0 || value < verticalScrollBar()->maximum())
        return;
    m_linesBelow = 0;
    m_newLines->hide();
}

// End (which in a read-only box would only go to the end of a line) and Ctrl+End go to the
// end of the log, caret and view.
void LogBox::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (event->key() == Qt::Key_End &&
        (modifiers == Qt::NoModifier || modifiers == Qt::ControlModifier)) {
        moveCursor(QTextCursor::End);
        followEnd();
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LogBox::resizeEvent(QResizeEvent* event)
{
    QPlainTextEdit::resizeEvent(event);
    placeMarker();
}

// Bottom right of the text, clear of the scroll bar.
void LogBox::placeMarker()
{
    const QRect text = viewport()->geometry();
    const QSize size = m_newLines->sizeHint();
    m_newLines->setGeometry(text.right() - size.width() - 4, text.bottom() - size.height() - 4,
                            size.width(), size.height());
    m_newLines->raise();
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

QMimeData* LogBox::createMimeDataFromSelection() const
{
    QMimeData* data = QPlainTextEdit::createMimeDataFromSelection();
    const QString text = data->text();
    const QString plain = withoutFieldMarks(text);
    if (plain.size() == text.size())
        return data;
    delete data;
    auto* copied = new QMimeData;
    copied->setText(plain);
    return copied;
}
