// The sending side's small windows say what the user chose by signals: the pop-up menus the
// command, the flood dialog the limits it accepted, the anti-idle editor its message. The
// main window connects them each time one of them is loaded.
#include "ui/frmAnti.h"
#include "ui/frmFlood.h"
#include "ui/frmMain.h"
#include "ui/frmMenus.h"

#include "platform/WindowSystem.h"
#include "ui/Forms.h"
#include "ui/SelectedUser.h"

#include <QPointer>

void frmMain::wireCommandWindows()
{
    // The small windows may outlive this one (tests load a fresh program); they keep no
    // hold on a main window that is gone.
    const QPointer<frmMain> self(this);
    Forms<frmMenus>::wireOnLoad([self](frmMenus* menus) {
        if (!self)
            return;
        // The user is the one selected when the item was chosen; with none, nothing is sent.
        connect(menus, &frmMenus::userCommandChosen, self,
                [self](const QString& prefix, const QString& suffix) {
                    const std::optional<QString> user = selectedUser(self->RoomList);
                    if (!user) {
                        WindowSystem::beep();
                        return;
                    }
                    self->SendLine(prefix + *user + suffix);
                });
        connect(menus, &frmMenus::serviceCommandChosen, self,
                [self](const QString& line) { self->SendLine(line); });
    });
    Forms<frmFlood>::wireOnLoad([self](frmFlood* dialog) {
        if (self)
            connect(dialog, &frmFlood::limitsAccepted, self, &frmMain::setFloodLimits);
    });
    Forms<frmAnti>::wireOnLoad([self](frmAnti* editor) {
        if (!self)
            return;
        self->m_antiIdleMessage = editor->message();
        connect(editor, &frmAnti::messageChanged, self,
                [self](const QString& message) { self->m_antiIdleMessage = message; });
        connect(editor, &frmAnti::editingEnded, self, [self] {
            self->show();
            self->activateWindow();
        });
    });
}
