#include "platform/DiskLog.h"

#include <QDir>
#include <QStandardPaths>
#include <QStringList>

#include <cerrno>

namespace {
constexpr QFileDevice::Permissions OwnerOnlyFolder =
    QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner;
constexpr QFileDevice::Permissions OwnerOnlyFile = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
} // namespace

// A folder that was there keeps its permissions; openDay sets the log folder's own.
bool DiskLog::makeFolder(const QString& path)
{
    QDir dir(path);
    if (!dir.exists()) {
        const QString parent = QFileInfo(dir.absolutePath()).path();
        if (parent != dir.absolutePath() && !makeFolder(parent))
            return false;
        return QDir().mkdir(dir.absolutePath(), OwnerOnlyFolder);
    }
    if (!QFileInfo(path).isDir()) {
        errno = ENOTDIR;
        return false;
    }
    return true;
}

DiskLog::DiskLog(QString folder)
    : m_folder(std::move(folder))
{}

QString DiskLog::defaultFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
           QStringLiteral("/KxVantric/logs");
}

QString DiskLog::fileName(QDate day)
{
    return day.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".log");
}

QByteArray DiskLog::format(const QDateTime& when, const QString& text)
{
    const QString stamp = when.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss "));
    QString lines;
    for (const QStringView line : QStringView(text).split(u'\n')) {
        const QStringView bare = line.endsWith(u'\r') ? line.chopped(1) : line;
        if (bare.isEmpty())
            continue;
        lines += stamp;
        lines += bare;
        lines += QLatin1Char('\n');
    }
    return lines.toUtf8();
}

bool DiskLog::openDay(QDate day)
{
    if (m_file.isOpen() && m_day == day)
        return true;
    m_file.close();
    const QString path = QDir(m_folder).filePath(fileName(day));
    if (!makeFolder(m_folder))
        return fail(m_folder, qt_error_string());
    QFile::setPermissions(m_folder, OwnerOnlyFolder);
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered,
                     OwnerOnlyFile))
        return fail(path, m_file.errorString());
    m_day = day;
    return true;
}

bool DiskLog::append(const QDateTime& when, const QString& text)
{
    const QByteArray bytes = format(when, text);
    if (bytes.isEmpty())
        return true;
    if (!openDay(when.date()))
        return false;
    if (m_file.write(bytes) != bytes.size() || !m_file.flush()) {
        const QString reason = m_file.errorString();
        m_file.close();
        return fail(m_file.fileName(), reason);
    }
    return true;
}

bool DiskLog::fail(const QString& path, const QString& reason)
{
    m_error = QDir::toNativeSeparators(path) + QStringLiteral(": ") + reason;
    return false;
}
