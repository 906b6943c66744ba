#pragma once

#include <QIcon>

// The application icon in all its committed pixel sizes, for setWindowIcon() on every window.
// Its images are decoded when the icon is first drawn, not when it is made.
QIcon appIcon();
