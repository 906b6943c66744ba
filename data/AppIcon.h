#pragma once

#include <QIcon>

// The application icon in all its committed pixel sizes, for setWindowIcon() on every window.
QIcon AppIcon();
