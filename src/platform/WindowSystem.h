#pragma once

#include <QString>

#include <functional>

class QUrl;
class QWidget;

// The few window-system services the program uses whose exact behaviour matters to it.
// Tests can watch the beep, the message boxes, the program end, the attention requests and
// the choice of a file through the hooks; without a hook the real service runs.
namespace WindowSystem {

// Runs every window event that is waiting, then returns.
void yield();

// The system's default beep.
void beep();

enum class MessageIcon { None, Information, Warning };

// A modal message box with one OK button; returns when the user has closed it.
void showMessage(QWidget* parent, const QString& title, const QString& text, MessageIcon icon);

// Ends the program at once: every window closes and the event loop ends.
void endProgram();

// Centres a top-level window on the screen it is on.
void centerOnScreen(QWidget* window);

// Asks the desktop to draw the user to `window` (its taskbar entry flashes or is marked, as
// the desktop does it) unless it is the active window already. No sound.
void alertUnlessActive(QWidget* window);

// Lets the user choose a file to save into, starting at `suggested`; empty when cancelled.
QString chooseSaveFile(QWidget* parent, const QString& title, const QString& suggested,
                       const QString& filter);

// Opens the address with the desktop's program for it (a web address in the browser, a
// folder in the file manager).
void openUrl(const QUrl& url);

struct Hooks {
    std::function<void()> beep;
    std::function<void(const QString& title, const QString& text, MessageIcon icon)> message;
    std::function<void()> endProgram;
    std::function<void(QWidget* window)> alert;
    std::function<QString(const QString& suggested)> saveFile;
    std::function<void(const QUrl& url)> openUrl;
};
// Replaces the hooks; pass {} to restore the real services.
void setHooks(Hooks hooks);

} // namespace WindowSystem
