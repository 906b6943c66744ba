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

// Types `keys` into `target`: text as it stands, keys by name in angle brackets ("<Up>",
// "<Backtab>", "<ShiftReturn>").
void typeKeys(QWidget* target, const QString& keys);

// The real program around a client test: a server on 127.0.0.1, a settings folder of its
// own, the main window as at start, and the beep, message boxes, program end, alerts and file
// choice recorded instead of happening. Made in init(), destroyed in cleanup().

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

    // Shows the main window and waits until it is the active one.
    bool showActive();

    // Connects the main window's socket to the server, without the dialog and the login.
    bool connectSocket();

    // Logs in through File > Connect and the dialog; the bytes the server has received once
    // the login is there, or -1.
    qsizetype logIn(const QString& name, const QString& password = QStringLiteral("pw"));
    // File > Connect, the dialog filled in (null: as shown) and Connect pressed, not waiting.
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

    // What the server got from byte `from` on, once all the client wrote has arrived (a
    // marker written last is awaited): empty means that nothing was sent.
    QByteArray sentSince(qsizetype from);

    // Sends the bytes and a marker line "#n", and waits until the chat log ends with it.
    bool settle(const QByteArray& bytes);

    // Waits until every event posted so far has been handled (a queued call is the marker).
    bool handlePostedEvents();

private:
    int m_markers = 0;
    QTemporaryDir m_settings;
    QByteArray m_oldConfigHome;
    QByteArray m_oldDataHome;
};
