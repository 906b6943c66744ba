#include "commands/FloodSettings.h"

#include "settings/ConfigurationKey.h"
#include "settings/SettingText.h"

namespace CK = ConfigurationKey;

FloodLimits readFloodLimits()
{
    const bool enabled = readFlag(CK::FloodProtection, true);
    const FloodLimitsOrError stored =
        parseFloodLimits(readSetting(CK::FloodWrapBytes, CK::DefaultFloodWrapBytes),
                         readSetting(CK::FloodUnits, CK::DefaultFloodUnits),
                         readSetting(CK::FloodWindowSeconds, CK::DefaultFloodWindowSeconds),
                         readSetting(CK::FloodLongestLine, CK::DefaultFloodLongestLine), enabled);
    return stored.limits.value_or(FloodLimits{});
}

void storeFloodLimits(const FloodLimits& limits)
{
    storeSetting(CK::FloodWrapBytes, QString::number(limits.wrapBytes));
    storeSetting(CK::FloodUnits, QString::number(limits.units));
    storeSetting(CK::FloodWindowSeconds, QString::number(limits.windowSeconds));
    storeSetting(CK::FloodLongestLine, QString::number(limits.longestLine));
    storeFlag(CK::FloodProtection, limits.enabled);
}
