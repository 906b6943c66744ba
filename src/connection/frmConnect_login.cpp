// The connect dialog: fills its fields from the settings, checks them, has the main window
// log in, and stores them.
#include "ui/frmConnect.h"

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
bool mayLogInWithoutPassword(const QString& name)
{
    return name == QLatin1String("Anonymous") || name == QLatin1String("anonymous") ||
           name == QLatin1String("Guest") || name == QLatin1String("guest");
}

void refuse(frmConnect* dialog, const QString& message)
{
    WindowSystem::showMessage(dialog, mainCaption(), message, WindowSystem::MessageIcon::None);
}
} // namespace

void frmConnect::Form_Load()
{
    cmdServer->clear();
    cmdServer->addItems(serverList());
    UserNamet->setText(readSetting(ConfigurationKey::Username, ConfigurationKey::DefaultUsername));
    Passwordt->setText(readSetting(ConfigurationKey::Password, ConfigurationKey::DefaultPassword));
    txtChannel->setText(
        readSetting(ConfigurationKey::HomeChannel, ConfigurationKey::DefaultHomeChannel));
    cmdServer->setEditText(
        readSetting(ConfigurationKey::Server, defaultServer().toUtf8().constData()));
    cmdServer->lineEdit()->home(false);
}

void frmConnect::cmdConnect_Click()
{
    const QString name = UserNamet->text();
    const QString password = Passwordt->text();
    if (name.isEmpty()) {
        refuse(this, tr("Must Enter a Username to Login"));
        return;
    }
    if (!mayLogInWithoutPassword(name) && password.isEmpty()) {
        refuse(this, tr("Must Enter a Password to Login"));
        return;
    }
    const QString serverText = cmdServer->currentText();
    const ServerAddress server = parseServerAddress(serverText);
    if (server.host.isEmpty()) {
        refuse(this, tr("Must Enter a Server (host or host:port) to Login"));
        return;
    }

    setCursor(Qt::WaitCursor);
    frmMain* main = Forms<frmMain>::get();
    main->setHomeChannel(txtChannel->text());
    main->logIn(server, name, password);
    // Every field is written even after a failure; the main window tells of it once.
    storeSetting(ConfigurationKey::Username, name);
    storeSetting(ConfigurationKey::Password, password);
    storeSetting(ConfigurationKey::HomeChannel, txtChannel->text());
    storeSetting(ConfigurationKey::Server, serverText);
    // Back in the main window the user types into the message box.
    main->TxtSend->setFocus();
    Forms<frmConnect>::unload();
}

void frmConnect::cmdCancel_Click()
{
    Forms<frmConnect>::unload();
}
