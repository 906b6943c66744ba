#include "ui/FixedWindow.h"

#include "AppIcon.h"
#include "platform/Twips.h"
#include "platform/WindowSystem.h"

#include <QCloseEvent>
#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>

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

std::pair<QPushButton*, QPushButton*> FixedWindow::addButtonRow(const QString& actionText,
                                                                const QString& actionName,
                                                                const QString& cancelText, int left,
                                                                int top, int width)
{
    constexpr int Height = 375;
    constexpr int Gap = 105;
    auto* action = new QPushButton(actionText, this);
    action->setGeometry(twipsRect(left, top, width, Height));
    action->setAccessibleName(actionName);
    m_cancel = new QPushButton(cancelText, this);
    m_cancel->setGeometry(twipsRect(left + width + Gap, top, width, Height));
    m_cancel->setAccessibleName(tr("Cancel"));
    for (QPushButton* button : {action, m_cancel})
        button->setAutoDefault(false);
    return {action, m_cancel};
}

void FixedWindow::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (m_cancel)
        m_cancel->click();
}

void FixedWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
