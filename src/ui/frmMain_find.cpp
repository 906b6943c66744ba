// Options > Find... (Ctrl+F): the find bar over the bottom of the chat log. The chat log
// gives up the bar's height while it is open, so no line is hidden behind it, and the
// window keeps its size.
#include "ui/frmMain.h"

#include "ui/FindBar.h"
#include "ui/LogBox.h"

#include <QAction>
#include <QScrollBar>

namespace {
// The chat log keeps its place at the bottom when it is the last lines it shows.
void setLogHeight(QPlainTextEdit* log, int height)
{
    QScrollBar* bar = log->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    log->resize(log->width(), height);
    if (atEnd)
        bar->setValue(bar->maximum());
}
} // namespace

void frmMain::setUpFindBar()
{
    FindBar1 = new FindBar(centralWidget());
    mnuFind->setShortcut(QKeySequence::Find);
    connect(mnuFind, &QAction::triggered, this, &frmMain::mnuFind_Click);
    connect(FindBar1, &FindBar::closed, this, [this] {
        setLogHeight(TxtGet, TxtGet->height() + FindBar1->height());
        TxtSend->setFocus();
    });
}

// It searches the whisper log when that had the focus, else the chat log; again from the
// bar, the log it searches.
void frmMain::mnuFind_Click()
{
    QPlainTextEdit* log = TxtGet;
    if (focusWidget() == TxtWhisper)
        log = TxtWhisper;
    else if (FindBar1->isVisible() && FindBar1->isAncestorOf(focusWidget()))
        log = FindBar1->log();
    if (!FindBar1->isVisible()) {
        const int height = FindBar1->sizeHint().height();
        setLogHeight(TxtGet, TxtGet->height() - height);
        FindBar1->setGeometry(TxtGet->x(), TxtGet->y() + TxtGet->height(), TxtGet->width(), height);
    }
    FindBar1->open(log, log == TxtWhisper ? tr("whisper log") : tr("chat log"));
}
