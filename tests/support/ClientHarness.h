#pragma once

#include "platform/WindowSystem.h"
#include "testserver/ChatGatewayServer.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>

class frmMain;
class QWidget;

// The real program around a client test: a server on 127.0.0.1, a settings folder of its
// own, the main window as at start, and the beep, message boxes, program end, alerts and file
// choice recorded instead of happening. Made in init(), destroyed in cleanup().
// Types `keys` into `target`: text as it stands, keys by name in angle brackets ("<Up>",
// "<Backtab>", "<ShiftReturn>").
void typeKeys(QWidget* target, const QString& keys);

class ClientHarness {
public:
    struct Message {
        QString title;
        QString text;
        WindowSystem::MessageIcon icon;
    };

    explicit ClientHarness(bool serverSpeaksProtocol = true);
    ~ClientHarness();

    ChatGatewayServer server;
    frmMain* main = nullptr;

    int beeps = 0;
    int programEnds = 0;
    QList<Message> messages;
    QList<QWidget*> alerts;
    QString suggestedFile;  // offered by the latest save-file choice
    QString fileToChoose;   // what the user chooses then; empty cancels
    QList<QUrl> openedUrls; // handed to the desktop to open

    // The data folder ($XDG_DATA_HOME) of this program run: the logs on disk go below it.
    QString dataFolder() const { return m_settings.filePath(QStringLiteral("data")); }

    QString settingsFolder() const { return m_settings.path(); }
    QString serverAddress() const;

    // Points the main window's socket at the test server and waits for the connection
    // (bypassing the connect dialog and the login). False when it could not be made.
    bool connectSocket();

    // Logs in as the user does, through File > Connect and the connect dialog with this
    // server typed in. Returns how many bytes the server has received once the login is
    // there, or -1 when it did not arrive.
    qsizetype logIn(const QString& name, const QString& password = QStringLiteral("pw"));
    // Chooses File > Connect, fills in the dialog and presses Connect, without waiting; a
    // null channel or server leaves what the dialog shows.
    void submitLogin(const QString& name, const QString& password, const QString& channel = {},
                     const QString& server = {});

    // The outgoing queue's clock in milliseconds, moved on by the test instead of by time.
    void useFakeClock();
    qint64 clock = 0;

    // The logs as the program wrote them (line ends as CR LF).
    QString chatLog() const;
    QString whisperLog() const;
    QStringList userList() const;
    QString status() const;

    // What the server got from byte `from` on, once everything the client has written so far
    // has arrived (a marker written last is awaited), so an empty result means that nothing
    // was sent.
    QByteArray sentSince(qsizetype from);

    // Sends the bytes and a marker line "#n" behind them, and waits until the chat log ends
    // with the marker: everything before it has been handled.
    bool settle(const QByteArray& bytes);

    // Waits until every event posted so far has been handled (a queued call posted last is
    // the marker), so what the program does in answer to them has been done.
    bool handlePostedEvents();

private:
    int m_markers = 0;
    QTemporaryDir m_settings;
    QByteArray m_oldConfigHome;
    QByteArray m_oldDataHome;
};
