// Options > Log to Disk: every line the chat log or the whisper log shows is appended to a
// file per day in the data folder. File > Open Log Folder shows that folder.
#include "ui/frmMain.h"

#include "platform/DiskLog.h"
#include "platform/WindowSystem.h"
#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"
#include "ui/LogBox.h"
#include "ui/LogBoxWriters.h"

#include <QAction>
#include <QUrl>

void frmMain::setUpDiskLog()
{
    m_diskLogClock = [] { return QDateTime::currentDateTime(); };
    connect(mnuLogToDisk, &QAction::triggered, this, [this] {
        mnuLogToDisk->setChecked(!mnuLogToDisk->isChecked()); // the handler sets the mark
        mnuLogToDisk_Click();
    });
    connect(mnuOpenLogFolder, &QAction::triggered, this, &frmMain::mnuOpenLogFolder_Click);
    connect(TxtGet, &LogBox::textShown, this, &frmMain::logToDisk);
    connect(TxtWhisper, &LogBox::textShown, this, &frmMain::logToDisk);
    if (readFlag(ConfigurationKey::LogToDisk, false))
        startDiskLog();
}

void frmMain::setDiskLogClock(std::function<QDateTime()> clock)
{
    m_diskLogClock = std::move(clock);
}

void frmMain::mnuLogToDisk_Click()
{
    const bool on = !mnuLogToDisk->isChecked();
    if (on)
        startDiskLog();
    else
        stopDiskLog();
    storeFlag(ConfigurationKey::LogToDisk, on);
}

// Today's file is opened at once, so a folder that cannot be written is said when the item
// is checked, not at some later line.
void frmMain::startDiskLog()
{
    stopDiskLog();
    m_diskLog = new DiskLog(DiskLog::defaultFolder());
    mnuLogToDisk->setChecked(true);
    if (!m_diskLog->openDay(m_diskLogClock().date()))
        diskLogFailed();
}

void frmMain::stopDiskLog()
{
    delete m_diskLog;
    m_diskLog = nullptr;
    mnuLogToDisk->setChecked(false);
}

void frmMain::logToDisk(const QString& text)
{
    if (m_diskLog && !m_diskLog->append(m_diskLogClock(), text))
        diskLogFailed();
}

// A failure is said once: logging stops (and the check mark goes) before the notice is
// written, until the user checks the item again. The stored choice stays, so the next run
// tries again.
void frmMain::diskLogFailed()
{
    const QString reason = m_diskLog->errorString();
    stopDiskLog();
    appendNotice(TxtGet,
                 tr("Could not write the log to disk (%1). Logging to disk "
                    "is off until Options > Log to Disk is checked again.")
                     .arg(reason),
                 LineKind::Error);
}

void frmMain::mnuOpenLogFolder_Click()
{
    const QString folder = DiskLog::defaultFolder();
    DiskLog::makeFolder(folder);
    WindowSystem::openUrl(QUrl::fromLocalFile(folder));
}
