#include "ui/frmAnti.h"

#include "platform/Twips.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include <tuple>

frmAnti::frmAnti()
    : FixedWindow(tr("Anti-Idle options"), 3855, 1425)
{
    Frame1 = new QGroupBox(tr("Anti-Idle Message"), this);
    Frame1->setGeometry(twipsRect(120, 0, 3615, 855));

    txtAntiMessage = new QLineEdit(QStringLiteral("is a Brindlemoor Vantric Chat 0.1"), Frame1);
    txtAntiMessage->setGeometry(twipsRect(120, 360, 3375, 285));
    txtAntiMessage->setAccessibleName(tr("Anti-idle message"));

    std::tie(cmdOkay, cmdCancel) =
        addButtonRow(tr("Apply"), tr("Apply"), tr("Cancel"), 120, 960, 1215);

    setTabOrder(txtAntiMessage, cmdOkay);
    setTabOrder(cmdOkay, cmdCancel);

    wireEvents();
}

frmAnti::~frmAnti() = default;

void frmAnti::wireEvents()
{
    connect(txtAntiMessage, &QLineEdit::textChanged, this, &frmAnti::messageChanged);
    connect(cmdOkay, &QPushButton::clicked, this, &frmAnti::cmdOkay_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmAnti::cmdCancel_Click);
}
