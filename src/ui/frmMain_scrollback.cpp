// Options > Scrollback...: how many lines the chat log and the whisper log keep.
#include "ui/frmMain.h"

#include "ui/LogBox.h"
#include "ui/Scrollback.h"
#include "ui/frmScrollback.h"

// Both logs take the stored number when the window is loaded.
void frmMain::ApplyStoredScrollback()
{
    const int lines = Scrollback::Stored();
    Scrollback::Apply(TxtGet, lines);
    Scrollback::Apply(TxtWhisper, lines);
}

// The dialog is modal to this window only and does not wait: the logs go on filling while
// the user types.
void frmMain::mnuScrollback_Click()
{
    auto* dialog = new frmScrollback(Scrollback::Stored(), this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QDialog::accepted, this, [this, dialog] {
        Scrollback::Store(dialog->Lines());
        ApplyStoredScrollback();
    });
    dialog->open();
}
