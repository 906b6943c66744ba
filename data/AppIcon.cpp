#include "AppIcon.h"

#include <QSize>
#include <QString>

QIcon AppIcon()
{
    // One hand-rendered PNG per size, so Qt picks an exact match instead of scaling the
    // 64 px image down to the 16 px title bar.
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addFile(QStringLiteral(":/icons/vantric-chat-%1.png").arg(size), QSize(size, size));
    return icon;
}
