// The connect dialog: fills its fields from the settings, checks them, has the main window
// log in, and stores them.
#include "ui/frmConnect.h"

#include "connection/OneLine.h"
#include "connection/ServerAddress.h"
#include "platform/WindowSystem.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/Forms.h"
#include "ui/MainCaption.h"
#include "ui/frmMain.h"

#include <QComboBox>
#include <QLineEdit>

namespace {
bool MayLogInWithoutPassword(const QString& name)
{
    return name == QLatin1String("Anonymous") || name == QLatin1String("anonymous") ||
           name == QLatin1String("Guest") || name == QLatin1String("guest");
}

void Refuse(frmConnect* dialog, const QString& message)
{
    WindowSystem::ShowMessage(dialog, MainCaption(), message, WindowSystem::MessageIcon::None);
}
} // namespace

void frmConnect::Form_Load()
{
    cmdServer->clear();
    cmdServer->addItems(ServerList());
    UserNamet->setText(ReadSetting(ConfigurationKey::Username, ConfigurationKey::DefaultUsername));
    Passwordt->setText(ReadSetting(ConfigurationKey::Password, ConfigurationKey::DefaultPassword));
    txtChannel->setText(
        ReadSetting(ConfigurationKey::HomeChannel, ConfigurationKey::DefaultHomeChannel));
    cmdServer->setEditText(
        ReadSetting(ConfigurationKey::Server, DefaultServer().toUtf8().constData()));
    cmdServer->lineEdit()->home(false);
}

void frmConnect::cmdConnect_Click()
{
    const QString name = UserNamet->text();
    const QString password = Passwordt->text();
    if (name.isEmpty()) {
        Refuse(this, QStringLiteral("Must Enter a Username to Login"));
        return;
    }
    if (!MayLogInWithoutPassword(name) && password.isEmpty()) {
        Refuse(this, QStringLiteral("Must Enter a Password to Login"));
        return;
    }
    const QString serverText = cmdServer->currentText();
    const ServerAddress server = ParseServerAddress(serverText);
    if (server.host.isEmpty()) {
        Refuse(this, QStringLiteral("Must Enter a Server (host or host:port) to Login"));
        return;
    }

    setCursor(Qt::WaitCursor);
    Forms<frmMain>::Get()->logIn(server, name, password);
    StoreSetting(ConfigurationKey::Username, name);
    StoreSetting(ConfigurationKey::Password, password);
    StoreSetting(ConfigurationKey::HomeChannel, txtChannel->text());
    StoreSetting(ConfigurationKey::Server, serverText);
    Forms<frmConnect>::Unload();
}

void frmConnect::cmdCancel_Click()
{
    Forms<frmConnect>::Unload();
}
