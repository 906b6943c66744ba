#pragma once

#include <QPlainTextEdit>

// A multi-line log: read-only for the user, who can still place the caret and select
// text (the program writes at the caret, and replaces a selection, on purpose). Mouse
// presses are reported before the box reacts; a right press never moves the caret or
// opens the box's own edit menu, because the window shows a menu of its own there.
class LogBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit LogBox(QWidget* parent = nullptr);

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
