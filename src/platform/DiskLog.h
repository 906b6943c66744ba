#pragma once

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QString>

// The logs kept on disk: every line shown is appended to a file per day, named after the
// day ("2026-12-09.log"), each line as "YYYY-MM-DD HH:MM:SS <text>" in UTF-8 with a LF.
// The folder is made readable only by the user (0700), and so are the files (0600). The
// day's file stays open; every line is written through at once, so a crash loses at most
// the line being written.
class DiskLog {
public:
    explicit DiskLog(QString folder);

    // $XDG_DATA_HOME/KxVantric/logs (~/.local/share/KxVantric/logs by default).
    static QString defaultFolder();
    static QString fileName(QDate day);
    // The text as it goes into the file: one line per line of the text (CR LF or LF
    // separate them), each with the date and time in front; empty lines are left out.
    static QByteArray format(const QDateTime& when, const QString& text);

    // Makes the folder, and the missing ones above it, readable by the user alone; false
    // when it cannot be made (errno tells why).
    static bool makeFolder(const QString& path);

    QString folder() const { return m_folder; }
    // Opens the file of that day, making the folder if needed; false on failure.
    bool openDay(QDate day);
    // Appends the text's lines; false when the file could not be opened or written.
    bool append(const QDateTime& when, const QString& text);
    // Why the last open or write failed, with the file's name.
    QString errorString() const { return m_error; }

private:
    bool fail(const QString& path, const QString& reason);

    QString m_folder;
    QDate m_day;
    QFile m_file;
    QString m_error;
};
