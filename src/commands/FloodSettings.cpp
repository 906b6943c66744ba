#include "commands/FloodSettings.h"

#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"

namespace CK = ConfigurationKey;

FloodLimits ReadFloodLimits()
{
    const bool enabled =
        ReadSetting(CK::FloodProtection, CK::DefaultFloodProtection) != QLatin1String("0");
    const FloodLimitsOrError stored =
        ParseFloodLimits(ReadSetting(CK::FloodWrapBytes, CK::DefaultFloodWrapBytes),
                         ReadSetting(CK::FloodUnits, CK::DefaultFloodUnits),
                         ReadSetting(CK::FloodWindowSeconds, CK::DefaultFloodWindowSeconds),
                         ReadSetting(CK::FloodLongestLine, CK::DefaultFloodLongestLine), enabled);
    return stored.limits.value_or(FloodLimits{});
}

void StoreFloodLimits(const FloodLimits& limits)
{
    StoreSetting(CK::FloodWrapBytes, QString::number(limits.wrapBytes));
    StoreSetting(CK::FloodUnits, QString::number(limits.units));
    StoreSetting(CK::FloodWindowSeconds, QString::number(limits.windowSeconds));
    StoreSetting(CK::FloodLongestLine, QString::number(limits.longestLine));
    StoreSetting(CK::FloodProtection, QLatin1String(limits.enabled ? "1" : "0"));
}
