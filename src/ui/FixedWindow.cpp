#include "ui/FixedWindow.h"

#include "AppIcon.h"
#include "platform/Twips.h"
#include "platform/WindowSystem.h"

FixedWindow::FixedWindow(const QString& caption, int clientWidthTwips, int clientHeightTwips)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                           Qt::MSWindowsFixedSizeDialogHint)
{
    setWindowTitle(caption);
    setWindowIcon(AppIcon());
    setFixedSize(Px(clientWidthTwips), Px(clientHeightTwips));
}

void FixedWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!m_shownBefore) {
        m_shownBefore = true;
        WindowSystem::CenterOnScreen(this);
    }
}
