#pragma once

#include "ui/UserListBox.h"

#include <QString>

#include <optional>

// The user selected in the channel's list, as the item reads (blanks included); nothing when
// no item is selected, so a command never goes out addressed to nobody.
inline std::optional<QString> selectedUser(const UserListBox* list)
{
    const int index = list->ListIndex();
    if (index < 0)
        return std::nullopt;
    return list->item(index)->text();
}
