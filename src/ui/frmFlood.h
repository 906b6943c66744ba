#pragma once

#include "commands/FloodLimits.h"
#include "ui/FixedWindow.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

// Options > Flood Protection: the numbers of the server's flood quota that the program keeps
// to when it sends, and the switch. Its behaviour lives in commands/.
class frmFlood : public FixedWindow {
    Q_OBJECT
public:
    frmFlood();
    ~frmFlood() override;

    QLabel* Label1 = nullptr;
    QLineEdit* txtWrapBytes = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtUnits = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* txtWindowSeconds = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txtLongestLine = nullptr;
    QCheckBox* chkProtect = nullptr;
    QPushButton* cmdOkay = nullptr;
    QPushButton* cmdCancel = nullptr;

    void Form_Load();
    void cmdOkay_Click();
    void cmdCancel_Click();

signals:
    // OK with usable entries: the limits have been stored and should be in force at once.
    void limitsAccepted(const FloodLimits& limits);

private:
    void wireEvents();
};
