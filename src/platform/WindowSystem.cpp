#include "platform/WindowSystem.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QScreen>
#include <QUrl>
#include <QWidget>

namespace WindowSystem {

namespace {
Hooks& hooks()
{
    static Hooks installed;
    return installed;
}
} // namespace

void setHooks(Hooks replacement)
{
    hooks() = std::move(replacement);
}

void openUrl(const QUrl& url)
{
    if (hooks().openUrl) {
        hooks().openUrl(url);
        return;
    }
    QDesktopServices::openUrl(url);
}

void yield()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void beep()
{
    if (hooks().beep) {
        hooks().beep();
        return;
    }
    QApplication::beep();
}

void showMessage(QWidget* parent, const QString& title, const QString& text, MessageIcon icon)
{
    if (hooks().message) {
        hooks().message(title, text, icon);
        return;
    }
    QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
    if (icon == MessageIcon::Information)
        boxIcon = QMessageBox::Information;
    else if (icon == MessageIcon::Warning)
        boxIcon = QMessageBox::Warning;
    QMessageBox box(boxIcon, title, text, QMessageBox::Ok, parent);
    box.exec();
}

void endProgram()
{
    if (hooks().endProgram) {
        hooks().endProgram();
        return;
    }
    // Hide rather than close: closing would run the windows' own close handling again.
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}

void alertUnlessActive(QWidget* window)
{
    if (window->isActiveWindow())
        return;
    if (hooks().alert) {
        hooks().alert(window);
        return;
    }
    QApplication::alert(window);
}

QString chooseSaveFile(QWidget* parent, const QString& title, const QString& suggested,
                       const QString& filter)
{
    if (hooks().saveFile)
        return hooks().saveFile(suggested);
    return QFileDialog::getSaveFileName(parent, title, suggested, filter);
}

void centerOnScreen(QWidget* window)
{
    QScreen* screen = window->screen();
    if (!screen)
        return;
    QRect frame = window->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    window->move(frame.topLeft());
}

} // namespace WindowSystem
