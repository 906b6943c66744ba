#pragma once

#include <QString>

#include <functional>

class QWidget;

// Desktop services beyond plain windows: drawing the user's attention and choosing a file.
// Tests watch them through the hooks; without a hook the real service runs.
namespace DesktopServices {

// Asks the desktop to draw the user to `window` (its taskbar entry flashes or is marked,
// as the desktop does it) unless it is the active window already. No sound.
void AlertUnlessActive(QWidget* window);

// Lets the user choose a file to save into, starting at `suggested`; empty when cancelled.
QString ChooseSaveFile(QWidget* parent, const QString& title, const QString& suggested,
                       const QString& filter);

struct Hooks {
    std::function<void(QWidget* window)> alert;
    std::function<QString(const QString& suggested)> saveFile;
};
// Replaces the hooks; pass {} to restore the real services.
void SetHooks(Hooks hooks);

} // namespace DesktopServices
