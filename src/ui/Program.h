#pragma once

#include <functional>

class frmMain;

// Names the application for --version and for the desktop: the program's name and version,
// and the desktop entry that taskbars and docks match its windows with. No display name is
// set, because Qt would append it to every window title, and each window has exactly the
// caption it is given.
void nameApplication();

// The program's run, shared by main() and the startup benchmark: names the application for
// the desktop, loads and shows the main window, and runs until the program ends. beforeShow
// sees the loaded main window just before it is shown.
int runProgram(const std::function<void(frmMain*)>& beforeShow = {});
