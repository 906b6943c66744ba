#pragma once

#include <QCoreApplication>
#include <QString>

// The main window's caption; also the title of the program's own message boxes.
inline QString mainCaption()
{
    return QCoreApplication::translate("MainCaption", "Brindlemoor's Vantric Chat Client");
}
