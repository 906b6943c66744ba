#include "ui/Program.h"

#include "ui/Forms.h"
#include "ui/frmMain.h"

#include <QApplication>

void NameProgram()
{
    QCoreApplication::setApplicationName(QStringLiteral("vantric-chat"));
    QCoreApplication::setApplicationVersion(QStringLiteral(VANTRIC_VERSION));
}

int RunProgram(const std::function<void(frmMain*)>& beforeShow)
{
    NameProgram();
    QApplication::setApplicationDisplayName(QStringLiteral("Vantric Chat"));
    QGuiApplication::setDesktopFileName(QStringLiteral("example.kxvantric.VantricChat"));
    // The main window runs the program: closing it, or File > Exit, ends it.
    QApplication::setQuitOnLastWindowClosed(false);

    frmMain* main = Forms<frmMain>::Get();
    if (beforeShow)
        beforeShow(main);
    main->show();
    const int status = QApplication::exec();
    Forms<frmMain>::UnloadNow();
    return status;
}
