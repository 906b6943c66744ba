#include "ui/Forms.h"
#include "ui/frmMain.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("vantric-chat"));
    QApplication::setApplicationDisplayName(QStringLiteral("Vantric Chat"));
    QGuiApplication::setDesktopFileName(QStringLiteral("example.kxvantric.VantricChat"));
    // The main window runs the program: closing it, or File > Exit, ends it.
    QApplication::setQuitOnLastWindowClosed(false);

    Forms<frmMain>::Get()->show();
    const int status = QApplication::exec();
    Forms<frmMain>::UnloadNow();
    return status;
}
