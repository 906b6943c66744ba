// Options > Flood Protection: shows the stored flood limits, refuses entries that are not
// usable with a message that says why, and stores usable ones for the sending side.
#include "ui/frmFlood.h"
#include "ui/frmMain.h"

#include "commands/FloodSettings.h"
#include "platform/WindowSystem.h"
#include "ui/Forms.h"
#include "ui/MainCaption.h"

#include <QCheckBox>
#include <QLineEdit>

void frmMain::mnuFlood_Click()
{
    Forms<frmFlood>::showActive();
}

void frmFlood::Form_Load()
{
    const FloodLimits limits = readFloodLimits();
    txtWrapBytes->setText(QString::number(limits.wrapBytes));
    txtUnits->setText(QString::number(limits.units));
    txtWindowSeconds->setText(QString::number(limits.windowSeconds));
    txtLongestLine->setText(QString::number(limits.longestLine));
    chkProtect->setChecked(limits.enabled);
}

// Nothing is stored until every entry is usable; the dialog then stays open as typed.
void frmFlood::cmdOkay_Click()
{
    const FloodLimitsOrError typed =
        parseFloodLimits(txtWrapBytes->text(), txtUnits->text(), txtWindowSeconds->text(),
                         txtLongestLine->text(), chkProtect->isChecked());
    if (!typed.limits) {
        WindowSystem::showMessage(this, mainCaption(), typed.error,
                                  WindowSystem::MessageIcon::None);
        return;
    }
    storeFloodLimits(*typed.limits);
    emit limitsAccepted(*typed.limits);
    Forms<frmFlood>::unload();
}

void frmFlood::cmdCancel_Click()
{
    Forms<frmFlood>::unload();
}
