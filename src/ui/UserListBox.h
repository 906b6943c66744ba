#pragma once

#include <QListWidget>

// The channel's user list: items in the order they were added, one selected at a time.
// Mouse presses are reported; a right press leaves the selection alone, so a command from
// the pop-up menu acts on the user selected before the press.
class UserListBox : public QListWidget {
    Q_OBJECT
public:
    explicit UserListBox(QWidget* parent = nullptr);

    // Index of the selected item, or -1 when none is selected.
    int ListIndex() const;

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

protected:
    void mousePressEvent(QMouseEvent* event) override;
};
