#pragma once

#include <QWidget>

// The frame and placement of every window of the program: a title bar with a close button
// and no minimise or maximise button, the program's icon, centred on the screen when first
// shown.
void useFixedFrame(QWidget* window);

// The program's small windows: that frame around a fixed client size. Escape closes the
// window as its frame's close button does (each window's close is its Cancel).
class FixedWindow : public QWidget {
    Q_OBJECT
public:
    FixedWindow(const QString& caption, int clientWidthTwips, int clientHeightTwips);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
