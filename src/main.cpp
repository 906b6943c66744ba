#include "ui/CommandLine.h"
#include "ui/Program.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // The command line is read before anything talks to the window system, so --help and
    // --version work without a display. Without arguments there is nothing to read.
    if (argc > 1) {
        const CommandLineRequest request = readCommandLine(argc, argv);
        if (request.action != CommandLineRequest::Action::Run)
            return answerCommandLine(argc, argv, request);
    }
    QApplication app(argc, argv);
    return runProgram();
}
