#include "ClientHarness.h"

#include "commands/SendQueue.h"
#include "platform/ChatSocket.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/Forms.h"
#include "ui/LogBox.h"
#include "ui/LogBoxWriters.h"
#include "ui/StatusLine.h"
#include "ui/UserListBox.h"
#include "ui/frmAnti.h"
#include "ui/frmConnect.h"
#include "ui/frmFlood.h"
#include "ui/frmMain.h"
#include "ui/frmMenus.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QHash>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

ClientHarness::ClientHarness(bool serverSpeaksProtocol)
    : m_oldConfigHome(qgetenv("XDG_CONFIG_HOME"))
    , m_oldDataHome(qgetenv("XDG_DATA_HOME"))
{
    qputenv("XDG_CONFIG_HOME", m_settings.path().toLocal8Bit());
    qputenv("XDG_DATA_HOME", dataFolder().toLocal8Bit());
    server.setProtocolEnabled(serverSpeaksProtocol);
    server.listen();

    WindowSystem::Hooks hooks;
    hooks.beep = [this] { ++beeps; };
    hooks.message = [this](const QString& title, const QString& text,
                           WindowSystem::MessageIcon icon) {
        messages.append({title, text, icon});
    };
    hooks.endProgram = [this] { ++programEnds; };
    hooks.alert = [this](QWidget* window) { alerts.append(window); };
    hooks.saveFile = [this](const QString& suggested) {
        suggestedFile = suggested;
        return fileToChoose;
    };
    hooks.openUrl = [this](const QUrl& url) { openedUrls.append(url); };
    WindowSystem::setHooks(hooks);

    main = Forms<frmMain>::get();
}

ClientHarness::~ClientHarness()
{
    Forms<frmFlood>::unloadNow();
    Forms<frmMenus>::unloadNow();
    Forms<frmAnti>::unloadNow();
    Forms<frmConnect>::unloadNow();
    Forms<frmMain>::unloadNow();
    // Windows unloaded from their own handlers are deleted by the event loop.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    WindowSystem::setHooks({});
    qputenv("XDG_CONFIG_HOME", m_oldConfigHome);
    qputenv("XDG_DATA_HOME", m_oldDataHome);
}

QString ClientHarness::serverAddress() const
{
    return QStringLiteral("127.0.0.1:%1").arg(server.serverPort());
}

bool ClientHarness::connectSocket()
{
    const int sessionsBefore = server.sessionCount();
    main->startConnection(ServerAddress{QStringLiteral("127.0.0.1"), server.serverPort()});
    const auto connected = [this] {
        return main->connection().state() == ChatSocket::State::Connected;
    };
    if (!QTest::qWaitFor(connected, 5000))
        return false;
    return QTest::qWaitFor([&] { return server.sessionCount() > sessionsBefore; }, 5000);
}

qsizetype ClientHarness::logIn(const QString& name, const QString& password)
{
    storeSetting(ConfigurationKey::Server, serverAddress());
    const int sessionsBefore = server.sessionCount();
    // No home channel: stay in the channel the server gives, with no /join of our own.
    submitLogin(name, password, QStringLiteral(""), serverAddress());
    // On the new connection that File > Connect starts, not on an earlier one.
    const QByteArray login = name.toUtf8() + "\r\n" + password.toUtf8() + "\r\n";
    const auto arrived = [&] {
        return server.sessionCount() > sessionsBefore && server.received().endsWith(login);
    };
    if (!QTest::qWaitFor(arrived, 5000))
        return -1;
    return server.received().size();
}

void ClientHarness::submitLogin(const QString& name, const QString& password,
                                const QString& channel, const QString& server)
{
    main->mnuConnect->trigger();
    frmConnect* dialog = Forms<frmConnect>::get();
    dialog->UserNamet->setText(name);
    dialog->Passwordt->setText(password);
    if (!channel.isNull())
        dialog->txtChannel->setText(channel);
    if (!server.isNull())
        dialog->cmdServer->setEditText(server);
    dialog->cmdConnect->click();
}

QByteArray ClientHarness::sentSince(qsizetype from)
{
    const QByteArray marker = "<marker>\r\n";
    const qsizetype markers = server.received().count(marker); // earlier ones came before
    const auto arrived = [&] {
        const QByteArray got = server.received();
        return got.count(marker) > markers && got.endsWith(marker);
    };
    if (!main->sendToServer(marker) || !QTest::qWaitFor(arrived, 5000))
        return "<marker lost>";
    return server.received().mid(from).chopped(marker.size());
}

bool ClientHarness::settle(const QByteArray& bytes)
{
    const QString marker = QStringLiteral("#%1\r\n").arg(++m_markers);
    server.sendRaw(bytes + "1018 INFO \"" + marker.chopped(2).toUtf8() + "\"\r\n");
    return QTest::qWaitFor([&] { return chatLog().endsWith(marker); }, 5000);
}

void typeKeys(QWidget* target, const QString& keys)
{
    static const QHash<QString, Qt::Key> named = {
        {"Return", Qt::Key_Return}, {"Up", Qt::Key_Up},
        {"Down", Qt::Key_Down},     {"Escape", Qt::Key_Escape},
        {"Tab", Qt::Key_Tab},       {"Home", Qt::Key_Home},
        {"Right", Qt::Key_Right},   {"Backspace", Qt::Key_Backspace}};
    static const QRegularExpression token(QStringLiteral("<(\\w+)>|[^<]+"));
    for (const QRegularExpressionMatch& match : token.globalMatch(keys)) {
        const QString key = match.captured(1);
        if (key.isEmpty())
            QTest::keyClicks(target, match.captured(0));
        else if (key == "Backtab")
            QTest::keyClick(target, Qt::Key_Backtab, Qt::ShiftModifier);
        else if (key == "ShiftReturn")
            QTest::keyClick(target, Qt::Key_Return, Qt::ShiftModifier);
        else
            QTest::keyClick(target, named.value(key));
    }
}

bool ClientHarness::handlePostedEvents()
{
    bool handled = false;
    QMetaObject::invokeMethod(
        main, [&handled] { handled = true; }, Qt::QueuedConnection);
    return QTest::qWaitFor([&handled] { return handled; }, 5000);
}

void ClientHarness::useFakeClock()
{
    main->setSendClock([this] { return clock; });
}

QString ClientHarness::chatLog() const
{
    return logText(main->TxtGet);
}

QString ClientHarness::whisperLog() const
{
    return logText(main->TxtWhisper);
}

QStringList ClientHarness::userList() const
{
    QStringList items;
    for (int i = 0; i < main->RoomList->count(); ++i)
        items << main->RoomList->item(i)->text();
    return items;
}

QString ClientHarness::status() const
{
    return main->StatusBar1->simpleText();
}

bool ClientHarness::showActive()
{
    main->show();
    main->activateWindow();
    return QTest::qWaitForWindowActive(main);
}
