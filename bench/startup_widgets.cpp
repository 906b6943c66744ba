// A plain QMainWindow holding the same widgets as the client's main window: the same kinds,
// sizes and menus, with no program logic and no settings. The startup benchmark's second
// reference, the floor for a window that shows what the client shows.
#include "StartupProbe.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>

namespace {

// The client's layout is in twips; fifteen make a pixel.
constexpr int px(int twips)
{
    return (twips + 7) / 15;
}

void place(QWidget* widget, int left, int top, int width, int height)
{
    widget->setGeometry(px(left), px(top), px(width), px(height));
}

void addMenus(QMenuBar* bar)
{
    QMenu* file = bar->addMenu(QStringLiteral("File"));
    file->addAction(QStringLiteral("Connect"));
    file->addAction(QStringLiteral("Disconnect"));
    file->addSeparator();
    file->addAction(QStringLiteral("OrvelGroup"));
    file->addAction(QStringLiteral("Kestrane"));
    file->addSeparator();
    file->addAction(QStringLiteral("Save Chat Log..."));
    file->addSeparator();
    file->addAction(QStringLiteral("Exit"));

    QMenu* options = bar->addMenu(QStringLiteral("Options"));
    options->addAction(QStringLiteral("Anti-Idle"))->setCheckable(true);
    options->addAction(QStringLiteral("Anti-Idle Message"));
    options->addSeparator();
    options->addAction(QStringLiteral("Display Join/Leave"))->setCheckable(true);
    options->addAction(QStringLiteral("Reconnect Automatically"))->setCheckable(true);
    options->addAction(QStringLiteral("Timestamps"))->setCheckable(true);
    options->addAction(QStringLiteral("Scrollback..."));
    options->addAction(QStringLiteral("Flood Protection..."));
    options->addSeparator();
    options->addAction(QStringLiteral("List B.Net Chat Commands"));
    options->addSeparator();
    options->addAction(QStringLiteral("Send Text"));
    options->addAction(QStringLiteral("Whisper Text"));
    options->addAction(QStringLiteral("Emote Text"));

    QMenu* help = bar->addMenu(QStringLiteral("Help"));
    help->addAction(QStringLiteral("About"));
    help->addAction(QStringLiteral("Bugs"));
    help->addAction(QStringLiteral("Contact"));
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint);
    window.setWindowTitle(QStringLiteral("Vantric Chat"));

    auto* client = new QWidget(&window);
    client->setFixedSize(px(8205), px(5220 - 315));
    window.setCentralWidget(client);
    // The two logs as the client shows them: read-only, without undo, a scroll bar always.
    for (const QRect twips : {QRect(0, 0, 6015, 3135), QRect(0, 3480, 8175, 1410)}) {
        auto* log = new QPlainTextEdit(client);
        place(log, twips.x(), twips.y(), twips.width(), twips.height());
        log->setReadOnly(true);
        log->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        log->setUndoRedoEnabled(false);
    }
    auto* users = new QListWidget(client);
    place(users, 6000, 0, 2175, 3135);
    users->setUniformItemSizes(true);
    place(new QLineEdit(client), 0, 3160, 7095, 285);
    auto* send = new QPushButton(QStringLiteral("Send"), client);
    place(send, 6000, 3160, 1095, 285);
    send->setDefault(true);
    send->raise();
    place(new QPushButton(QStringLiteral("&Whisper"), client), 7200, 3160, 975, 285);

    auto* status = new QStatusBar(&window);
    status->setFixedHeight(px(315));
    status->setSizeGripEnabled(false);
    status->addWidget(new QLabel(QStringLiteral("Not connected."), status), 1);
    window.setStatusBar(status);
    addMenus(window.menuBar());
    window.layout()->setSizeConstraint(QLayout::SetFixedSize);

    new StartupProbe(&window);
    window.show();
    return QApplication::exec();
}
