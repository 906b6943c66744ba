#pragma once

#include <QString>

// The main window's caption; also the title of the program's own message boxes.
inline QString MainCaption()
{
    return QStringLiteral("Brindlemoor's Vantric Chat Client");
}
