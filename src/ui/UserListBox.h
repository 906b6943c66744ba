#pragma once

#include "protocol/UserFlags.h"

#include <QHash>
#include <QIcon>
#include <QListWidget>

// The channel's user list: items in the order they were added, one selected at a time.
// Mouse presses are reported; a right press leaves the selection alone, so a command from
// the pop-up menu acts on the user selected before the press.
//
// An item's text is the user field exactly as the server sent it (whispers and commands
// read it). Its rank and squelch are shown by an icon beside it and told to screen readers
// by its accessible description; its tooltip shows the client tag ("[CHAT]") and the same
// words.
class UserListBox : public QListWidget {
    Q_OBJECT
public:
    explicit UserListBox(QWidget* parent = nullptr);

    // Index of the selected item, or -1 when none is selected.
    int ListIndex() const;

    // Appends an item for a member: `flags` as the server sent them, `tag` its client tag.
    void addUser(const QString& item, QStringView flags, QStringView tag);
    // New flags for every item whose text without blanks at either end is `name`.
    void setUserFlags(QStringView name, QStringView flags);

signals:
    void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

protected:
    void mousePressEvent(QMouseEvent* event) override;

private:
    void showMarks(QListWidgetItem* item, UserFlags flags);

    QHash<quint16, QIcon> m_icons; // made once per look
};
