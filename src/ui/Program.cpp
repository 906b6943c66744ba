#include "ui/Program.h"

#include "ui/Forms.h"
#include "ui/frmMain.h"

#include <QApplication>

// On X11 the application name is also the class of every window (WM_CLASS), which the
// desktop entry names as its StartupWMClass.
void nameApplication()
{
    QCoreApplication::setApplicationName(QStringLiteral("vantric-chat"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTRIC_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("example.kxvantric.VantricChat"));
}

int runProgram(const std::function<void(frmMain*)>& beforeShow)
{
    nameApplication();
    // The main window runs the program: closing it, or File > Exit, ends it.
    QApplication::setQuitOnLastWindowClosed(false);

    frmMain* main = Forms<frmMain>::get();
    if (beforeShow)
        beforeShow(main);
    main->show();
    const int status = QApplication::exec();
    Forms<frmMain>::unloadNow();
    return status;
}
