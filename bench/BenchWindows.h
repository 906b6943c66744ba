#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QWidget>
#include <QWindow>

// What the measurement runs share about windows.
namespace BenchWindows {

// The chat log's size in the main window, in pixels, for the bare boxes.
constexpr int LogWidth = 401;
constexpr int LogHeight = 209;

inline void waitUntilExposed(QWidget* window)
{
    QElapsedTimer waited;
    waited.start();
    while (!(window->windowHandle() && window->windowHandle()->isExposed()) &&
           waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::processEvents();
}

} // namespace BenchWindows
