#pragma once

#include <QMouseEvent>
#include <QPointer>

// How the program's boxes report mouse presses. A right press is only reported: the box
// neither moves its caret or selection nor opens its own menu, because the window shows a
// menu of its own there. Any other press reaches the box first (so a click has selected
// before the window hears of it), then is reported unless the box went away meanwhile.
template <class Box, class BasePress>
void passMousePress(Box* box, QMouseEvent* event, BasePress basePress)
{
    if (event->button() == Qt::RightButton) {
        emit box->mouseDown(event->button(), event->modifiers());
        event->accept();
        return;
    }
    QPointer<Box> self(box);
    basePress();
    if (self)
        emit box->mouseDown(event->button(), event->modifiers());
}
