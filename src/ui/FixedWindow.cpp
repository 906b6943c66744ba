#include "ui/FixedWindow.h"

#include "AppIcon.h"
#include "platform/Twips.h"
#include "platform/WindowSystem.h"

#include <QEvent>
#include <QKeyEvent>

namespace {
// Centres its window when it is first shown; later shows keep where the user put it.
class centreOnFirstShow : public QObject {
public:
    explicit centreOnFirstShow(QWidget* window)
        : QObject(window)
    {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && !m_shownBefore) {
            m_shownBefore = true;
            WindowSystem::centerOnScreen(static_cast<QWidget*>(watched));
        }
        return false;
    }

private:
    bool m_shownBefore = false;
};
} // namespace

void useFixedFrame(QWidget* window)
{
    window->setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint);
    window->setWindowIcon(appIcon());
    window->installEventFilter(new centreOnFirstShow(window));
}

FixedWindow::FixedWindow(const QString& caption, int clientWidthTwips, int clientHeightTwips)
{
    setWindowTitle(caption);
    useFixedFrame(this);
    setFixedSize(px(clientWidthTwips), px(clientHeightTwips));
}

void FixedWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
