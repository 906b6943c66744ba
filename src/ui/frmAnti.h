#pragma once

#include "ui/FixedWindow.h"

class QGroupBox;
class QLineEdit;
class QPushButton;

// The anti-idle editor: the message the anti-idle timer posts. Its behaviour lives in
// commands/. The message in force is what its box holds, applied or not; it says so by a
// signal at every change.
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

    QString message() const;
    // Shows the editor in front, with the focus; Cancel goes back to the message as it is now.
    void openForEditing();

    void Form_Load();
    void cmdOkay_Click();
    void cmdCancel_Click();

signals:
    void messageChanged(const QString& message);
    // Apply, Cancel or the frame's close button: the editor is hidden, back to the main window.
    void editingEnded();

private:
    void wireEvents();
};
