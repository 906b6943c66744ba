#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Options > Scrollback...: one number, the lines each log keeps (0 keeps every line). OK
// refuses anything that is not such a number with a message in the dialog and leaves it
// open; what the number does is up to whoever opened the dialog (Accepted, then lines()).
class frmScrollback : public QDialog {
    Q_OBJECT
public:
    explicit frmScrollback(int lines, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLineEdit* txtLines = nullptr;
    QLabel* lblProblem = nullptr;
    QPushButton* cmdOkay = nullptr;
    QPushButton* cmdCancel = nullptr;

    // The number accepted with OK.
    int lines() const { return m_lines; }

    void cmdOkay_Click();

private:
    int m_lines = 0;
};
