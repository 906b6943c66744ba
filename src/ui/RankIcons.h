#pragma once

#include "protocol/UserFlags.h"

#include <QIcon>

// The small mark in front of a name in the user list: a coloured badge for the highest rank
// (A administrator, S server operator, @ channel operator, + voice), struck through when
// the user is squelched. Each badge has a light rim around a dark fill, so it stands out
// on a light and on a dark list. Users with nothing to show get an empty icon of the same
// size, so every name starts in the same column.
QIcon rankIcon(UserFlags flags);

// Flags with the same key have the same icon.
quint16 rankIconKey(UserFlags flags);
