// Options > Scrollback...: how many lines the chat log and the whisper log keep.
#include "ui/frmMain.h"

#include "ui/LogBox.h"
#include "ui/Scrollback.h"
#include "ui/frmScrollback.h"

namespace {
void keepLines(frmMain* window, int lines)
{
    Scrollback::apply(window->TxtGet, lines);
    Scrollback::apply(window->TxtWhisper, lines);
}
} // namespace

// Both logs take the stored number when the window is loaded.
void frmMain::applyStoredScrollback()
{
    keepLines(this, Scrollback::stored());
}

// The dialog is modal to this window only and does not wait: the logs go on filling while
// the user types. The number takes effect even if the settings store cannot keep it.
void frmMain::mnuScrollback_Click()
{
    auto* dialog = new frmScrollback(Scrollback::stored(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        Scrollback::store(dialog->lines());
        keepLines(this, dialog->lines());
    });
    dialog->open();
}
