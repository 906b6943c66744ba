#include "settings/Registry.h"

namespace Registry {

std::string GetSettingString(HKEY root, const std::string& keyPath, const std::string& valueName,
                             const std::string& defaultValue)
{
    std::string result = defaultValue;
    HKEY key = nullptr;
    RegOpenKeyA(root, keyPath.c_str(), &key); // on failure key stays null and the query fails

    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, valueName.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_SZ) {
        std::string buffer(size, ' ');
        DWORD secondType = 0;
        DWORD secondSize = size;
        // Another program may change the value between the two queries; only data that is
        // still a string of at most the size asked for is taken, never a buffer of blanks.
        if (RegQueryValueExA(key, valueName.c_str(), nullptr, &secondType,
                             reinterpret_cast<BYTE*>(buffer.data()),
                             &secondSize) == ERROR_SUCCESS &&
            secondType == REG_SZ && secondSize <= size) {
            buffer.resize(secondSize);
            result = buffer.substr(0, buffer.find('\0'));
        }
    }
    RegCloseKey(key); // also for a null handle; the result does not matter
    return result;
}

bool SaveSettingString(HKEY root, const std::string& keyPath, const std::string& valueName,
                       const std::string& value, std::string* failure)
{
    HKEY key = nullptr;
    // On failure the key stays null and the set below fails too; the first failure is the cause.
    const LONG created = RegCreateKeyA(root, keyPath.c_str(), &key);
    const LONG set = RegSetValueExA(key, valueName.c_str(), 0, REG_SZ,
                                    reinterpret_cast<const BYTE*>(value.data()),
                                    static_cast<DWORD>(value.size()));
    const LONG status = created != ERROR_SUCCESS ? created : set;
    if (status != ERROR_SUCCESS && failure != nullptr)
        *failure = registryErrorText(status);
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

} // namespace Registry
