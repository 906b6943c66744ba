#include "ui/frmFlood.h"

#include "platform/Twips.h"
#include "ui/FitText.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>

#include <tuple>

namespace {
// One row: the caption at the left, the number's box at the right.
QLineEdit* numberRow(QWidget* parent, QLabel** label, const QString& caption,
                     const QString& accessibleName, int top)
{
    auto* box = new QLineEdit(parent);
    box->setGeometry(twipsRect(2760, top, 855, 285));
    // Digits only: a number of bytes, units or seconds has no sign, point or blank.
    box->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), box));
    box->setAccessibleName(accessibleName);
    *label = new QLabel(caption, parent);
    (*label)->setGeometry(twipsRect(120, top + 15, 2535, 255));
    (*label)->setBuddy(box);
    fitCaption(*label);
    return box;
}
} // namespace

frmFlood::frmFlood()
    : FixedWindow(tr("Flood Protection"), 3735, 2535)
{
    txtWrapBytes = numberRow(this, &Label1, tr("&Bytes per unit:"), tr("Bytes per unit"), 120);
    txtUnits = numberRow(this, &Label2, tr("&Units:"), tr("Units"), 480);
    txtWindowSeconds =
        numberRow(this, &Label3, tr("&Window (seconds):"), tr("Window in seconds"), 840);
    txtLongestLine =
        numberRow(this, &Label4, tr("&Longest line (bytes):"), tr("Longest line in bytes"), 1200);

    chkProtect = new QCheckBox(tr("&Protect against flooding"), this);
    chkProtect->setGeometry(twipsRect(120, 1560, 3495, 285));
    chkProtect->setAccessibleName(tr("Protect against flooding"));

    std::tie(cmdOkay, cmdCancel) = addButtonRow(tr("OK"), tr("OK"), tr("Cancel"), 1080, 2040, 1215);

    setTabOrder(txtWrapBytes, txtUnits);
    setTabOrder(txtUnits, txtWindowSeconds);
    setTabOrder(txtWindowSeconds, txtLongestLine);
    setTabOrder(txtLongestLine, chkProtect);
    setTabOrder(chkProtect, cmdOkay);
    setTabOrder(cmdOkay, cmdCancel);

    wireEvents();
}

frmFlood::~frmFlood() = default;

void frmFlood::wireEvents()
{
    // Enter in any of the numbers is OK.
    for (QLineEdit* box : {txtWrapBytes, txtUnits, txtWindowSeconds, txtLongestLine})
        connect(box, &QLineEdit::returnPressed, cmdOkay, &QPushButton::click);
    connect(cmdOkay, &QPushButton::clicked, this, &frmFlood::cmdOkay_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmFlood::cmdCancel_Click);
}
