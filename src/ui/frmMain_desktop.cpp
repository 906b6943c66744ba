// The main window's part of the habits chat users bring from other programs: names for Tab
// to complete in the message box, the whisper log's Copy menu, time stamps in the logs, an
// alert for whispers while the window is in the background, saving the chat log, and a
// double click on a user to whisper to them.
#include "ui/frmMain.h"

#include "platform/WindowSystem.h"
#include "protocol/ChatEvent.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/LogBox.h"
#include "ui/LogBoxWriters.h"
#include "ui/UserListBox.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

namespace {
QString saveLogTitle()
{
    return frmMain::tr("Save Chat Log");
}

void showTimestamps(frmMain* window, bool on)
{
    window->mnuTimestamps->setChecked(on);
    window->TxtGet->setTimestamps(on);
    window->TxtWhisper->setTimestamps(on);
}

// Writes the text as UTF-8 with the system's line ends, readable by the user only, as the
// log holds what others said. The file appears only complete: until the commit the text goes
// to a temporary file beside it, which a failure removes, so an older file of that name is
// left as it was. Unbuffered, and a write that stops short (a full disk, a size limit) is tried
// again, so that the system names the cause: buffered, QSaveFile commits the part written as a
// success. Returns why it failed, or nothing.
QString saveText(const QString& path, const QString& text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Unbuffered) ||
        !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner))
        return file.errorString();
    const QByteArray bytes = text.toUtf8();
    for (qint64 done = 0; done < bytes.size();) {
        const qint64 written = file.write(bytes.constData() + done, bytes.size() - done);
        if (written <= 0) {
            const QString reason = file.errorString();
            file.cancelWriting();
            file.commit(); // which now only removes the temporary file
            return reason;
        }
        done += written;
    }
    if (!file.commit())
        return file.errorString();
    return QString();
}
} // namespace

void frmMain::setUpDesktopHabits()
{
    TxtSend->setNameSource([this] {
        QStringList names;
        for (int i = 0; i < RoomList->count(); ++i)
            names.append(RoomList->item(i)->text());
        return names;
    });
    // A right press on the chat log opens the service menu; the whisper log has no menu of
    // its own, so it keeps the box's Copy menu.
    TxtWhisper->setEditMenu(true);
    connect(RoomList, &QListWidget::itemDoubleClicked, this, &frmMain::RoomList_DblClick);
    showTimestamps(this, readFlag(ConfigurationKey::Timestamps, false));
}

void frmMain::mnuTimestamps_Click()
{
    const bool on = !mnuTimestamps->isChecked();
    showTimestamps(this, on);
    storeFlag(ConfigurationKey::Timestamps, on);
}

// What was typed after an earlier "/w <name> " stays, now addressed to this user.
void frmMain::RoomList_DblClick(QListWidgetItem* item)
{
    static const QRegularExpression addressed(QStringLiteral("^/w \\S+ "));
    const QString draft = TxtSend->text().remove(addressed);
    TxtSend->setText(QStringLiteral("/w ") + trimBlanks(item->text()).toString() +
                     QLatin1Char(' ') + draft);
    TxtSend->setFocus();
}

void frmMain::alertOfWhisper()
{
    WindowSystem::alertUnlessActive(this);
}

// The chat log as it is shown, one line of the file per line of the log. The file is offered
// in the documents folder, or in the home folder where there is none.
void frmMain::mnuSaveLog_Click()
{
    QDir folder(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
    if (!folder.exists())
        folder.setPath(QDir::homePath());
    const QString suggested =
        folder.filePath(tr("Chat Log %1.txt").arg(QDate::currentDate().toString(Qt::ISODate)));
    const QString path = WindowSystem::chooseSaveFile(this, saveLogTitle(), suggested,
                                                      tr("Text files (*.txt);;All files (*)"));
    if (path.isEmpty())
        return;
    const QString text = logText(TxtGet).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    const QString error = saveText(path, text);
    if (!error.isEmpty())
        WindowSystem::showMessage(
            this, saveLogTitle(),
            tr("Could not save the chat log to %1: %2.").arg(QDir::toNativeSeparators(path), error),
            WindowSystem::MessageIcon::Warning);
}
