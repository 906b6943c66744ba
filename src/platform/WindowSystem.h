#pragma once

#include <QString>

#include <functional>

class QWidget;

// The few window-system services the program uses whose exact behaviour matters to it.
// Tests can watch the beep, the message boxes and the program end through the hooks;
// without a hook the real service runs.
namespace WindowSystem {

// Runs every window event that is waiting, then returns.
void Yield();

// The system's default beep.
void Beep();

enum class MessageIcon { None, Information, Warning };

// A modal message box with one OK button; returns when the user has closed it.
void ShowMessage(QWidget* parent, const QString& title, const QString& text, MessageIcon icon);

// Ends the program at once: every window closes and the event loop ends.
void EndProgram();

// Centres a top-level window on the screen it is on.
void CenterOnScreen(QWidget* window);

struct Hooks {
    std::function<void()> beep;
    std::function<void(const QString& title, const QString& text, MessageIcon icon)> message;
    std::function<void()> endProgram;
};
// Replaces the hooks; pass {} to restore the real services.
void SetHooks(Hooks hooks);

} // namespace WindowSystem
