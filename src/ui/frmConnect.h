#pragma once

#include "ui/FixedWindow.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

// The connect dialog: user name, password, home channel and server, then Connect.
// Modeless; its behaviour lives in connection/.
class frmConnect : public FixedWindow {
    Q_OBJECT
public:
    frmConnect();
    ~frmConnect() override;

    QGroupBox* Frame1 = nullptr;
    QLineEdit* UserNamet = nullptr;
    QLineEdit* Passwordt = nullptr;
    QComboBox* cmdServer = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* txtChannel = nullptr;
    QPushButton* cmdConnect = nullptr;
    QPushButton* cmdCancel = nullptr;

    void Form_Load();
    void cmdConnect_Click();
    void cmdCancel_Click();

private:
    void wireEvents();
};
