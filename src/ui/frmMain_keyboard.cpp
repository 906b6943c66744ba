// The main window's keyboard: after a menu item (and whatever dialog or message it opened)
// the focus is back in the message box, so typing goes where the user expects; Ctrl+End
// anywhere brings both logs back to their ends.
#include "ui/frmMain.h"

#include "ui/LogBox.h"

#include <QMenuBar>
#include <QShortcut>

void frmMain::setUpKeyboard()
{
    // Queued: a menu closed from the keyboard gives the focus back to where it was once the
    // item's handler has returned. A dialog the item opened gets the focus back to the
    // message box when it closes, as the box is then the main window's focus widget.
    connect(
        menuBar(), &QMenuBar::triggered, this, [this] { TxtSend->setFocus(); },
        Qt::QueuedConnection);

    auto* toEnd = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_End), this);
    connect(toEnd, &QShortcut::activated, this, [this] {
        TxtGet->followEnd();
        TxtWhisper->followEnd();
    });
}
