// The client's start, as its main() does it, watched by the startup benchmark.
#include "StartupProbe.h"

#include "ui/Forms.h"
#include "ui/frmMain.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vantric-chat"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vantric Chat"));
    QGuiApplication::setDesktopFileName(QStringLiteral("example.kxvantric.VantricChat"));
    QApplication::setQuitOnLastWindowClosed(false);

    frmMain* main = Forms<frmMain>::Get();
    new StartupProbe(main);
    main->show();
    const int status = QApplication::exec();
    Forms<frmMain>::UnloadNow();
    return status;
}
