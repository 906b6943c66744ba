// The information menus: About, Bugs, Contact, the two group items and the list of the
// service's chat commands.
#include "ui/frmMain.h"

#include "platform/WindowSystem.h"
#include "ui/LogBox.h"
#include "ui/LogBoxWriters.h"

namespace {
void showInformation(frmMain* window, const QString& title, const QString& text)
{
    WindowSystem::showMessage(window, title, text, WindowSystem::MessageIcon::Information);
}

// Group items show their address between these decorations, without blanks.
QString decorated(const QString& address)
{
    return QStringLiteral("<(_") + address + QStringLiteral("_)>");
}
} // namespace

void frmMain::mnuAbout_Click()
{
    showInformation(this, tr("About"),
                    tr("Brindlemoor's Vantric Chat Client\r\n"
                       "Version 0.01\r\n"
                       "This is a simple, not complicated chat client for battle.net"));
}

void frmMain::mnuBugs_Click()
{
    showInformation(this, tr("Bugs"),
                    tr("Heads up: some other chat programs send the lines about their users in a "
                       "layout this client does not read. When somebody in your channel uses "
                       "one of them, the lines about that user are skipped instead of shown, so "
                       "you may miss their talk, or see them missing from the user list. "
                       "Everything else keeps working."));
}

void frmMain::mnuContact_Click()
{
    showInformation(this, tr("Contact"), QStringLiteral("brindlemoor@kxvantric.example"));
}

void frmMain::mnuOrvel_Click()
{
    showInformation(this, QStringLiteral("OrvelGroup"),
                    decorated(QStringLiteral("http://www.orvelgroup.example")));
}

void frmMain::mnuKn_Click()
{
    showInformation(this, QStringLiteral("Kestrane"),
                    decorated(QStringLiteral("http://www.kestrane.example")));
}

// Help text only: written at the end of the chat log, nothing is sent.
void frmMain::mnuCommands_Click()
{
    EchoLine(TxtGet, tr("/join <CHANNEL>\r\n"
                        "/whois <NAME>\r\n"
                        "/whoami\r\n"
                        "/m <USER>\r\n"
                        "/ignore <USER>\r\n"
                        "/unignore <USER>\r\n"
                        "/away <MESSAGE>\r\n"
                        "/dnd <MESSAGE>\r\n"
                        "/who <CHANNEL>\r\n"
                        "/stats <USER> <GAME>\r\n"
                        "/users\r\n"
                        "/time\r\n"
                        "/me <TEXT>\r\n"
                        "/ban <USER>\r\n"
                        "/kick <USER>\r\n"
                        "/unban <USER>\r\n"
                        "/designate <USER>"));
}
