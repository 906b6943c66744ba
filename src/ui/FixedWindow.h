#pragma once

#include <QWidget>

#include <utility>

class QPushButton;

// The frame and placement of every window of the program: a title bar with a close button
// and no minimise or maximise button, the program's icon, centred on the screen when first
// shown.
void useFixedFrame(QWidget* window);

// The program's small windows: that frame around a fixed client size, with a row of two
// buttons at the foot, the dialog's action and Cancel. Closing the window through its frame
// does what Cancel does, and so does Escape.
class FixedWindow : public QWidget {
    Q_OBJECT
public:
    FixedWindow(const QString& caption, int clientWidthTwips, int clientHeightTwips);

protected:
    // The action button and Cancel, each `width` x 375 twips, side by side 105 twips apart
    // from `left`, `top`. Neither is an automatic default button.
    std::pair<QPushButton*, QPushButton*> addButtonRow(const QString& actionText,
                                                       const QString& actionName,
                                                       const QString& cancelText, int left, int top,
                                                       int width);
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPushButton* m_cancel = nullptr;
};
