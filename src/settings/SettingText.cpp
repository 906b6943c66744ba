#include "settings/SettingText.h"

#include "settings/ConfigurationKey.h"
#include "settings/Registry.h"

QString readSetting(const char* valueName, const char* defaultValue)
{
    const std::string text = Registry::GetSettingString(HKEY_LOCAL_MACHINE, ConfigurationKey::Path,
                                                        valueName, defaultValue);
    return QString::fromStdString(text);
}

bool storeSetting(const char* valueName, const QString& value, QString* failure)
{
    std::string reason;
    const bool stored = Registry::SaveSettingString(HKEY_LOCAL_MACHINE, ConfigurationKey::Path,
                                                    valueName, value.toStdString(), &reason);
    const QString why = QString::fromLocal8Bit(reason); // the system's messages are in its locale
    if (!stored && failure != nullptr)
        *failure = why;
    emit SettingsWrites::instance()->written(stored, why);
    return stored;
}

bool readFlag(const char* valueName, bool defaultOn)
{
    const QString text = readSetting(valueName, defaultOn ? "1" : "0");
    return text == QLatin1String("1") || (defaultOn && text != QLatin1String("0"));
}

bool storeFlag(const char* valueName, bool on)
{
    return storeSetting(valueName, on ? QStringLiteral("1") : QStringLiteral("0"));
}

SettingsWrites* SettingsWrites::instance()
{
    static SettingsWrites writes;
    return &writes;
}
