#pragma once

// Shared by the settings tests: a private settings file per test and short ways to reach it.

#include "settings/ConfigurationKey.h"
#include "settings/Registry.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>

// Points XDG_CONFIG_HOME at a fresh temporary folder while it lives, so a test works on a
// settings file of its own and never on the real home folder.
class TempConfigHome {
public:
    TempConfigHome()
        : m_old(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
    }
    ~TempConfigHome() { qputenv("XDG_CONFIG_HOME", m_old); }
    TempConfigHome(const TempConfigHome&) = delete;
    TempConfigHome& operator=(const TempConfigHome&) = delete;

    QString path() const { return m_dir.path(); }
    QString storeFolder() const { return m_dir.path() + QStringLiteral("/KxVantric"); }
    QString storeFile() const { return storeFolder() + QStringLiteral("/registry.reg"); }

private:
    QTemporaryDir m_dir;
    QByteArray m_old;
};

inline QByteArray readSetting(const std::string& name)
{
    return QByteArray::fromStdString(
        Registry::GetSettingString(HKEY_LOCAL_MACHINE, ConfigurationKey::Path, name, "<default>"));
}

inline bool saveSetting(const std::string& name, const QByteArray& value)
{
    return Registry::SaveSettingString(HKEY_LOCAL_MACHINE, ConfigurationKey::Path, name,
                                       value.toStdString());
}

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly) &&
           file.write(bytes) == bytes.size();
}

inline int modeOf(const QString& path)
{
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? int(info.st_mode & 07777) : -1;
}
