#include "ui/FindBar.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <QToolButton>

FindBar::FindBar(QWidget* parent)
    : QWidget(parent)
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(3);

    auto* label = new QLabel(tr("Find:"), this);
    findText = new QLineEdit(this);
    findText->setClearButtonEnabled(true);
    label->setBuddy(findText);
    cmdPrevious = new QToolButton(this);
    cmdPrevious->setArrowType(Qt::UpArrow);
    cmdPrevious->setToolTip(tr("Previous match (Shift+Enter)"));
    cmdPrevious->setAccessibleName(tr("Previous match"));
    cmdNext = new QToolButton(this);
    cmdNext->setArrowType(Qt::DownArrow);
    cmdNext->setToolTip(tr("Next match (Enter)"));
    cmdNext->setAccessibleName(tr("Next match"));
    result = new QLabel(this);
    result->setMinimumWidth(fontMetrics().horizontalAdvance(tr("From the bottom")));
    cmdClose = new QToolButton(this);
    cmdClose->setText(QStringLiteral("\u2715"));
    cmdClose->setToolTip(tr("Close (Escape)"));
    cmdClose->setAccessibleName(tr("Close find bar"));
    for (QToolButton* button : {cmdPrevious, cmdNext, cmdClose}) {
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::NoFocus); // the keys work from the text box
    }

    layout->addWidget(label);
    layout->addWidget(findText, 1);
    layout->addWidget(cmdPrevious);
    layout->addWidget(cmdNext);
    layout->addWidget(result);
    layout->addWidget(cmdClose);

    findText->installEventFilter(this);
    connect(findText, &QLineEdit::textEdited, this, [this] { find(From::Match); });
    connect(cmdPrevious, &QToolButton::clicked, this, &FindBar::findPrevious);
    connect(cmdNext, &QToolButton::clicked, this, &FindBar::findNext);
    connect(cmdClose, &QToolButton::clicked, this, &FindBar::close);
    hide();
}

void FindBar::open(QPlainTextEdit* log, const QString& logName)
{
    m_log = log;
    findText->setAccessibleName(tr("Find in the ") + logName);
    findText->setPlaceholderText(tr("Search the ") + logName);
    result->clear();
    show();
    raise();
    findText->selectAll();
    findText->setFocus();
}

void FindBar::findNext()
{
    find(From::After);
}

void FindBar::findPrevious()
{
    find(From::Before);
}

void FindBar::close()
{
    hide();
    emit closed();
}

bool FindBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == findText && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            if (key->modifiers() & Qt::ShiftModifier)
                findPrevious();
            else
                findNext();
            return true;
        }
        if (key->key() == Qt::Key_Escape) {
            close();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// From::Match searches from the start of the current match, so typing more letters keeps
// the match where it is while it still fits. When nothing is found up to the end (or the
// start) the search goes on from the other end.
void FindBar::find(From from)
{
    const QString text = findText->text();
    if (!m_log || text.isEmpty()) {
        result->clear();
        return;
    }
    QTextDocument* document = m_log->document();
    const QTextCursor current = m_log->textCursor();
    const bool backward = from == From::Before;
    const QTextDocument::FindFlags flags =
        backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
    const int start = from == From::Match   ? current.selectionStart()
                      : from == From::After ? current.selectionEnd()
                                            : current.selectionStart();
    QTextCursor found = document->find(text, start, flags);
    QString where;
    if (found.isNull()) {
        found = document->find(text, backward ? document->characterCount() : 0, flags);
        where = backward ? tr("From the bottom") : tr("From the top");
    }
    if (found.isNull()) {
        result->setText(tr("Not found"));
        return;
    }
    // Finding the match it starts from again is no wrap.
    if (found.selectionStart() == current.selectionStart() && from == From::Match)
        where.clear();
    result->setText(where);
    m_log->setTextCursor(found);
    m_log->ensureCursorVisible();
}
