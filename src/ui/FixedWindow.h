#pragma once

#include <QWidget>

// Frame and placement shared by the program's small windows: a fixed client size, a close
// button and no minimise or maximise button, the program's icon, centred on first show.
class FixedWindow : public QWidget {
    Q_OBJECT
public:
    FixedWindow(const QString& caption, int clientWidthTwips, int clientHeightTwips);

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool m_shownBefore = false;
};
