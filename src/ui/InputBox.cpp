#include "ui/InputBox.h"

#include <QKeyEvent>

namespace {
// A list item may end in blanks; the name is what stands before them.
QString nameOf(QString item)
{
    while (item.endsWith(QLatin1Char(' ')))
        item.chop(1);
    return item;
}
} // namespace

InputBox::InputBox(QWidget* parent)
    : QLineEdit(parent)
{}

void InputBox::setNameSource(std::function<QStringList()> names)
{
    m_names = std::move(names);
}

// Empty lines are not worth recalling, and a line sent several times in a row is kept once.
void InputBox::clearAfterSending()
{
    const QString line = text();
    if (!line.isEmpty() && (m_history.isEmpty() || m_history.first() != line)) {
        m_history.prepend(line);
        if (m_history.size() > HistoryLimit)
            m_history.removeLast();
    }
    m_recalled = -1;
    m_draft.clear();
    clear();
}

// Tab is taken here, before the widget uses it to move the focus on: while there is a word
// before the caret (or a completion to cycle through) it stays in the box.
bool InputBox::event(QEvent* event)
{
    // Ctrl+End is left to the window (the logs go to their ends); in one line End does the same.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_End &&
            (key->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier)
            return false;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        const bool tab = key->key() == Qt::Key_Tab && modifiers == Qt::NoModifier;
        const bool backTab = key->key() == Qt::Key_Backtab ||
                             (key->key() == Qt::Key_Tab && modifiers == Qt::ShiftModifier);
        if ((tab && complete(1)) || (backTab && complete(-1))) {
            event->accept();
            return true;
        }
    }
    return QLineEdit::event(event);
}

void InputBox::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() & ~Qt::KeypadModifier) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    switch (event->key()) {
    case Qt::Key_Up:
        recall(1);
        break;
    case Qt::Key_Down:
        recall(-1);
        break;
    case Qt::Key_Escape:
        m_recalled = -1;
        m_draft.clear();
        clear(); // undoable, like any other edit
        break;
    default:
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
}

// Step 1 is one line older, -1 one line newer; past the newest line the draft comes back.
void InputBox::recall(int step)
{
    const int target = m_recalled + step;
    if (target < -1 || target >= m_history.size())
        return;
    if (m_recalled == -1)
        m_draft = text();
    m_recalled = target;
    setText(target == -1 ? m_draft : m_history.at(target));
}

// Step 1 is Tab, -1 Shift+Tab, which only goes back through a completion just made. A Tab
// right after a completion, with the text and caret as it left them, shows the next name.
bool InputBox::complete(int step)
{
    const bool again =
        m_completion && m_completion->shown == text() && m_completion->caret == cursorPosition();
    if (again) {
        const qsizetype count = m_completion->names.size();
        m_completion->index = (m_completion->index + step + count) % count;
        showCompletion();
        return true;
    }
    m_completion.reset();
    if (step < 0)
        return false;
    std::optional<Completion> started = startCompletion();
    if (!started)
        return false; // no word before the caret: Tab moves the focus as usual
    if (started->names.isEmpty())
        return true; // nobody by that name; the box keeps the focus and the text
    m_completion = std::move(started);
    showCompletion();
    return true;
}

// The word is what stands between the last blank before the caret and the caret; it matches
// every name that begins with it, whatever the case, in the order of the list.
std::optional<InputBox::Completion> InputBox::startCompletion() const
{
    const QString line = text();
    const int caret = cursorPosition();
    int start = caret;
    while (start > 0 && !line.at(start - 1).isSpace())
        --start;
    const QStringView word = QStringView(line).mid(start, caret - start);
    if (word.isEmpty())
        return std::nullopt;

    Completion completion;
    completion.wordStart = start;
    const QStringList items = m_names ? m_names() : QStringList();
    for (const QString& item : items) {
        const QString name = nameOf(item);
        if (name.startsWith(word, Qt::CaseInsensitive) && !completion.names.contains(name))
            completion.names.append(name);
    }
    return completion;
}

// Replaces the word (or the name shown before) with the current name: at the start of the
// line followed by ": ", as chat programs address someone, elsewhere by a blank.
void InputBox::showCompletion()
{
    Completion& completion = *m_completion;
    const QString suffix = completion.wordStart == 0 ? QStringLiteral(": ") : QStringLiteral(" ");
    setSelection(completion.wordStart, cursorPosition() - completion.wordStart);
    insert(completion.names.at(completion.index) + suffix);
    completion.shown = text();
    completion.caret = cursorPosition();
}
