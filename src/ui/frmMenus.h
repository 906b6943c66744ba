#pragma once

#include <QWidget>

class QAction;
class QMenu;

// Never shown: it only carries the two pop-up menus of the main window (the user menu of
// the user list and the service menu of the chat log). Their handlers live in commands/;
// each says by a signal which command was chosen, and the main window sends it.
class frmMenus : public QWidget {
    Q_OBJECT
public:
    frmMenus();
    ~frmMenus() override;

    QMenu* mnuChatOptions = nullptr;
    QAction* mnuBan = nullptr;
    QAction* mnuUnban = nullptr;
    QAction* mnuKick = nullptr;
    QAction* mnuline1 = nullptr;
    QAction* mnuDesignate = nullptr;
    QAction* mnuline2 = nullptr;
    QAction* mnuSquelch = nullptr;
    QAction* mnuUnsquelch = nullptr;
    QAction* mnuline3 = nullptr;
    QAction* mnuWhois = nullptr;
    QMenu* mnustats = nullptr;
    QAction* mnuSC = nullptr;
    QAction* mnuBW = nullptr;
    QAction* mnuWar2 = nullptr;

    QMenu* mnuBnetOptions = nullptr;
    QAction* mnuTime = nullptr;
    QAction* mnuUsers = nullptr;

    // Nothing to load: the menus are built with the window.
    void Form_Load() {}

    // Shows a menu at the mouse pointer; returns once it has closed and the chosen item's
    // handler has run.
    void PopupMenu(QMenu* menu);

    void mnuBan_Click();
    void mnuUnban_Click();
    void mnuKick_Click();
    void mnuDesignate_Click();
    void mnuSquelch_Click();
    void mnuUnsquelch_Click();
    void mnuWhois_Click();
    void mnuSC_Click();
    void mnuBW_Click();
    void mnuWar2_Click();
    void mnuTime_Click();
    void mnuUsers_Click();

signals:
    // A command about the user selected in the list: `prefix`, the user's name, `suffix`.
    void userCommandChosen(const QString& prefix, const QString& suffix);
    // A command about the service, sent as it stands.
    void serviceCommandChosen(const QString& line);

private:
    void wireEvents();
};
