#pragma once

#include "ui/FixedWindow.h"

class QGroupBox;
class QLineEdit;
class QPushButton;

// The anti-idle editor: the message the anti-idle timer posts. Its behaviour lives in
// commands/.
class frmAnti : public FixedWindow {
    Q_OBJECT
public:
    frmAnti();
    ~frmAnti() override;

    QGroupBox* Frame1 = nullptr;
    QLineEdit* txtAntiMessage = nullptr;
    QPushButton* cmdOkay = nullptr;
    QPushButton* cmdCancel = nullptr;

    // The message as it stood when the editor was loaded or last opened; Cancel puts it back.
    QString MessageWhenOpened;

    void Form_Load();
    void cmdOkay_Click();
    void cmdCancel_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void wireEvents();
};
