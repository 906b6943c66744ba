#include "platform/DesktopServices.h"

#include <QApplication>
#include <QFileDialog>
#include <QWidget>

namespace DesktopServices {

namespace {
Hooks& hooks()
{
    static Hooks installed;
    return installed;
}
} // namespace

void SetHooks(Hooks replacement)
{
    hooks() = std::move(replacement);
}

void AlertUnlessActive(QWidget* window)
{
    if (window->isActiveWindow())
        return;
    if (hooks().alert) {
        hooks().alert(window);
        return;
    }
    QApplication::alert(window);
}

QString ChooseSaveFile(QWidget* parent, const QString& title, const QString& suggested,
                       const QString& filter)
{
    if (hooks().saveFile)
        return hooks().saveFile(suggested);
    return QFileDialog::getSaveFileName(parent, title, suggested, filter);
}

} // namespace DesktopServices
