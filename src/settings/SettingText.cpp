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
    if (!stored && failure != nullptr)
        *failure = QString::fromLocal8Bit(reason); // the system's messages are in its locale
    return stored;
}
