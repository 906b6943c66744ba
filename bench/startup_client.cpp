// The client's start, as its main() does it, watched by the startup benchmark.
#include "StartupProbe.h"

#include "ui/Program.h"
#include "ui/frmMain.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    return runProgram([](frmMain* main) { new StartupProbe(main); });
}
