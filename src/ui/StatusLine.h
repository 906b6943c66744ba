#pragma once

#include <QStatusBar>

class QLabel;

// A status bar with one line of text that stays until it is replaced.
class StatusLine : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent = nullptr);

    QString SimpleText() const;
    void SetSimpleText(const QString& text);

private:
    QLabel* m_text = nullptr;
};
