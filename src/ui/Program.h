#pragma once

#include <functional>

class frmMain;

// Gives the program its name and version, as --version prints them.
void NameProgram();

// The program's run, shared by main() and the startup benchmark: names the application for
// the desktop, loads and shows the main window, and runs until the program ends. beforeShow
// sees the loaded main window just before it is shown.
int RunProgram(const std::function<void(frmMain*)>& beforeShow = {});
