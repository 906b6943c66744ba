#include "settings/SettingText.h"

#include "settings/ConfigurationKey.h"
#include "settings/Registry.h"

QString readSetting(const char* valueName, const char* defaultValue)
{
    const std::string text = Registry::GetSettingString(HKEY_LOCAL_MACHINE, ConfigurationKey::Path,
                                                        valueName, defaultValue);
    return QString::fromStdString(text);
}

void storeSetting(const char* valueName, const QString& value)
{
    Registry::SaveSettingString(HKEY_LOCAL_MACHINE, ConfigurationKey::Path, valueName,
                                value.toStdString());
}
