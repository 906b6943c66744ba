#include "ui/frmMenus.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

frmMenus::frmMenus()
{
    setWindowTitle(QStringLiteral("Form1"));

    mnuChatOptions = new QMenu(QStringLiteral("Chat Options"), this);
    mnuBan = mnuChatOptions->addAction(QStringLiteral("Ban"));
    mnuUnban = mnuChatOptions->addAction(QStringLiteral("Unban"));
    mnuKick = mnuChatOptions->addAction(QStringLiteral("Kick"));
    mnuline1 = mnuChatOptions->addSeparator();
    mnuDesignate = mnuChatOptions->addAction(QStringLiteral("Designate"));
    mnuline2 = mnuChatOptions->addSeparator();
    mnuSquelch = mnuChatOptions->addAction(QStringLiteral("Squelch"));
    mnuUnsquelch = mnuChatOptions->addAction(QStringLiteral("UnSquelch"));
    mnuline3 = mnuChatOptions->addSeparator();
    mnuWhois = mnuChatOptions->addAction(QStringLiteral("Whois"));
    mnustats = mnuChatOptions->addMenu(QStringLiteral("Stats"));
    mnuSC = mnustats->addAction(QStringLiteral("Starcraft"));
    mnuBW = mnustats->addAction(QStringLiteral("Brood Wars "));
    mnuWar2 = mnustats->addAction(QStringLiteral("Warcraft2 B.Net"));

    mnuBnetOptions = new QMenu(QStringLiteral("B.Net Options"), this);
    mnuTime = mnuBnetOptions->addAction(QStringLiteral("Time"));
    mnuUsers = mnuBnetOptions->addAction(QStringLiteral("Users"));

    WireEvents();
}

frmMenus::~frmMenus() = default;

void frmMenus::PopupMenu(QMenu* menu)
{
    menu->exec(QCursor::pos());
}

void frmMenus::WireEvents() {}
