#pragma once

// Shared by the settings tests: a private registry file per test and short ways to reach it.

#include "settings/ConfigurationKey.h"
#include "settings/Registry.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

// Points XDG_CONFIG_HOME at a fresh temporary folder while it lives, so a test works on a
// registry file of its own and never on the real home folder.
class TempConfigHome {
public:
    TempConfigHome()
        : m_hadOld(qEnvironmentVariableIsSet("XDG_CONFIG_HOME"))
        , m_old(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_dir.path()));
    }
    ~TempConfigHome()
    {
        if (m_hadOld)
            qputenv("XDG_CONFIG_HOME", m_old);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }
    TempConfigHome(const TempConfigHome&) = delete;
    TempConfigHome& operator=(const TempConfigHome&) = delete;

    QString path() const { return m_dir.path(); }
    QString storeFolder() const { return m_dir.path() + QStringLiteral("/KxVantric"); }
    QString storeFile() const { return storeFolder() + QStringLiteral("/registry.reg"); }

private:
    QTemporaryDir m_dir;
    bool m_hadOld;
    QByteArray m_old;
};

inline QByteArray readSetting(const std::string& name)
{
    return QByteArray::fromStdString(
        Registry::GetSettingString(HKEY_LOCAL_MACHINE, ConfigurationKey::Path, name, "<default>"));
}

inline void saveSetting(const std::string& name, const QByteArray& value)
{
    Registry::SaveSettingString(HKEY_LOCAL_MACHINE, ConfigurationKey::Path, name,
                                value.toStdString());
}

// Stores a value of any type and data under the settings key, as another program could.
inline bool storeRaw(const char* name, DWORD type, const QByteArray& data)
{
    HKEY key = nullptr;
    const bool ok =
        RegCreateKeyA(HKEY_LOCAL_MACHINE, ConfigurationKey::Path, &key) == ERROR_SUCCESS &&
        RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(data.constData()),
                       static_cast<DWORD>(data.size())) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

// The stored type and data of a value; false when it cannot be queried.
inline bool queryRaw(const char* name, DWORD& type, QByteArray& data)
{
    HKEY key = nullptr;
    DWORD size = 0;
    bool ok = RegOpenKeyA(HKEY_LOCAL_MACHINE, ConfigurationKey::Path, &key) == ERROR_SUCCESS &&
              RegQueryValueExA(key, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    if (ok) {
        data = QByteArray(static_cast<qsizetype>(size), '?');
        ok = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                              &size) == ERROR_SUCCESS;
        data.truncate(static_cast<qsizetype>(size));
    }
    RegCloseKey(key);
    return ok;
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
