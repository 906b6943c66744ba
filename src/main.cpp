#include "ui/CommandLine.h"
#include "ui/Program.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // The command line is read before anything talks to the window system, so --help and
    // --version work without a display. Without arguments there is nothing to read.
    if (argc > 1) {
        const CommandLineRequest request = ReadCommandLine(argc, argv);
        if (request.action != CommandLineRequest::Action::Run)
            return AnswerCommandLine(argc, argv, request);
    }
    QApplication app(argc, argv);
    return RunProgram();
}
