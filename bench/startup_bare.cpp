// The least a Qt Widgets program can do: show an empty QMainWindow of the client's size.
// The reference of the startup benchmark.
#include "StartupProbe.h"

#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(547, 372);
    new StartupProbe(&window);
    window.show();
    return QApplication::exec();
}
