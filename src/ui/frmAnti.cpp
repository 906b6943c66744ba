#include "ui/frmAnti.h"

#include "platform/Twips.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

frmAnti::frmAnti()
    : FixedWindow(tr("Anti-Idle options"), 3855, 1425)
{
    Frame1 = new QGroupBox(tr("Anti-Idle Message"), this);
    Frame1->setGeometry(twipsRect(120, 0, 3615, 855));

    txtAntiMessage = new QLineEdit(QStringLiteral("is a Brindlemoor Vantric Chat 0.1"), Frame1);
    txtAntiMessage->setGeometry(twipsRect(120, 360, 3375, 285));
    txtAntiMessage->setAccessibleName(tr("Anti-idle message"));

    cmdOkay = new QPushButton(tr("Apply"), this);
    cmdOkay->setGeometry(twipsRect(120, 960, 1215, 375));
    cmdOkay->setAccessibleName(tr("Apply"));
    cmdOkay->setAutoDefault(false);

    cmdCancel = new QPushButton(tr("Cancel"), this);
    cmdCancel->setGeometry(twipsRect(1440, 960, 1215, 375));
    cmdCancel->setAccessibleName(tr("Cancel"));
    cmdCancel->setAutoDefault(false);

    setTabOrder(txtAntiMessage, cmdOkay);
    setTabOrder(cmdOkay, cmdCancel);

    wireEvents();
}

frmAnti::~frmAnti() = default;

void frmAnti::wireEvents()
{
    connect(cmdOkay, &QPushButton::clicked, this, &frmAnti::cmdOkay_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmAnti::cmdCancel_Click);
}

// Closing the editor through its frame is a Cancel: the main window, hidden while the editor
// is open, comes back, and the edits are dropped.
void frmAnti::closeEvent(QCloseEvent* event)
{
    event->accept();
    cmdCancel_Click();
}
