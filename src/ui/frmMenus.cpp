#include "ui/frmMenus.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

frmMenus::frmMenus()
{
    setWindowTitle(QStringLiteral("Form1"));

    mnuChatOptions = new QMenu(tr("Chat Options"), this);
    mnuBan = mnuChatOptions->addAction(tr("Ban"));
    mnuUnban = mnuChatOptions->addAction(tr("Unban"));
    mnuKick = mnuChatOptions->addAction(tr("Kick"));
    mnuline1 = mnuChatOptions->addSeparator();
    mnuDesignate = mnuChatOptions->addAction(tr("Designate"));
    mnuline2 = mnuChatOptions->addSeparator();
    mnuSquelch = mnuChatOptions->addAction(tr("Squelch"));
    mnuUnsquelch = mnuChatOptions->addAction(tr("UnSquelch"));
    mnuline3 = mnuChatOptions->addSeparator();
    mnuWhois = mnuChatOptions->addAction(tr("Whois"));
    mnustats = mnuChatOptions->addMenu(tr("Stats"));
    mnuSC = mnustats->addAction(tr("Starcraft"));
    mnuBW = mnustats->addAction(tr("Brood Wars "));
    mnuWar2 = mnustats->addAction(tr("Warcraft2 B.Net"));

    mnuBnetOptions = new QMenu(tr("B.Net Options"), this);
    mnuTime = mnuBnetOptions->addAction(tr("Time"));
    mnuUsers = mnuBnetOptions->addAction(tr("Users"));

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
