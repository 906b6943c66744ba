#pragma once

#include <QString>

// The main window's caption; also the title of the program's own message boxes.
inline QString mainCaption()
{
    return QStringLiteral("Brindlemoor's Vantric Chat Client");
}
