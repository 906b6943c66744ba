#pragma once

#include <QStatusBar>

class QLabel;

// A status bar with one line of text that stays until it is replaced, and at its right a
// short note of its own (how many lines wait to be sent). A text too long for the window is
// shown cut short with "…"; the window keeps its size.
class StatusLine : public QStatusBar {
    Q_OBJECT
public:
    explicit StatusLine(QWidget* parent = nullptr);

    QString simpleText() const;
    void setSimpleText(const QString& text);
    // The text as the bar shows it, cut where it is too long.
    QString shownText() const;
    QString rightText() const;
    void setRightText(const QString& text);

private:
    QLabel* m_text = nullptr;
    QLabel* m_right = nullptr;
};
