// Built with mingw-w64 by the cross-compile check: the settings store against advapi32.

#include "settings/ConfigurationKey.h"
#include "settings/Registry.h"

int main()
{
    using namespace ConfigurationKey;
    const std::string name =
        Registry::GetSettingString(HKEY_LOCAL_MACHINE, Path, Username, DefaultUsername);
    std::string failure;
    if (!Registry::SaveSettingString(HKEY_LOCAL_MACHINE, Path, Username, name, &failure))
        return failure.empty() ? 2 : 3;
    return name.empty() ? 1 : 0;
}
