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

    wireEvents();
}

frmMenus::~frmMenus() = default;

void frmMenus::PopupMenu(QMenu* menu)
{
    menu->exec(QCursor::pos());
}

void frmMenus::wireEvents()
{
    connect(mnuBan, &QAction::triggered, this, &frmMenus::mnuBan_Click);
    connect(mnuUnban, &QAction::triggered, this, &frmMenus::mnuUnban_Click);
    connect(mnuKick, &QAction::triggered, this, &frmMenus::mnuKick_Click);
    connect(mnuDesignate, &QAction::triggered, this, &frmMenus::mnuDesignate_Click);
    connect(mnuSquelch, &QAction::triggered, this, &frmMenus::mnuSquelch_Click);
    connect(mnuUnsquelch, &QAction::triggered, this, &frmMenus::mnuUnsquelch_Click);
    connect(mnuWhois, &QAction::triggered, this, &frmMenus::mnuWhois_Click);
    connect(mnuSC, &QAction::triggered, this, &frmMenus::mnuSC_Click);
    connect(mnuBW, &QAction::triggered, this, &frmMenus::mnuBW_Click);
    connect(mnuWar2, &QAction::triggered, this, &frmMenus::mnuWar2_Click);
    connect(mnuTime, &QAction::triggered, this, &frmMenus::mnuTime_Click);
    connect(mnuUsers, &QAction::triggered, this, &frmMenus::mnuUsers_Click);
}
