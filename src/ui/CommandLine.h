#pragma once

#include <QString>
#include <QStringList>

// The program's command line. It has two options of its own, --help and --version, which
// print and end the program without opening a window. Qt's own options (-platform, -style,
// -display, ...) are accepted and left to QApplication, as in any Qt program. Anything else
// is refused.
struct CommandLineRequest {
    enum class Action { Run, ShowHelp, ShowVersion, Refuse };
    Action action = Action::Run;
    QString error; // why the command line was refused
};

// Reads the program's arguments, the program name first. Needs no application object, so it
// runs before anything talks to the window system.
CommandLineRequest readCommandLine(const QStringList& arguments);
CommandLineRequest readCommandLine(int argc, char* argv[]);

// Answers a request other than Run: the help or the version on standard output, a refusal
// on standard error. Returns the exit status: 0, or 2 for a refusal.
int answerCommandLine(int argc, char* argv[], const CommandLineRequest& request);
