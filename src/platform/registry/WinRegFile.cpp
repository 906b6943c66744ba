// The registry primitives over the per-user registry file, for platforms without a registry.
// Every call reads the file afresh (and every change rewrites it), so several running copies
// see each other's values at once, as they would in the registry.

#include "platform/registry/WinReg.h"

#include "platform/registry/RegFileStore.h"

#include <cstring>
#include <mutex>
#include <string_view>
#include <unordered_set>

// An open key: the file it was opened in and its path, root name first.
struct HKEY__ {
    std::string file;
    std::string path;
};

namespace {

std::mutex handlesMutex;
std::unordered_set<HKEY> openHandles; // so a stale or made-up handle is refused, not followed

const char* rootName(HKEY key)
{
    if (key == HKEY_CLASSES_ROOT)
        return "HKEY_CLASSES_ROOT";
    if (key == HKEY_CURRENT_USER)
        return "HKEY_CURRENT_USER";
    if (key == HKEY_LOCAL_MACHINE)
        return "HKEY_LOCAL_MACHINE";
    if (key == HKEY_USERS)
        return "HKEY_USERS";
    if (key == HKEY_CURRENT_CONFIG)
        return "HKEY_CURRENT_CONFIG";
    return nullptr;
}

LONG resolve(HKEY key, std::string& file, std::string& path)
{
    if (const char* root = rootName(key)) {
        file = RegFile::storePath();
        path = root;
        return ERROR_SUCCESS;
    }
    const std::lock_guard<std::mutex> lock(handlesMutex);
    if (openHandles.count(key) == 0)
        return ERROR_INVALID_HANDLE;
    file = key->file;
    path = key->path;
    return ERROR_SUCCESS;
}

// Appends "A\B\C" to `path`; every part must be a non-empty storable name.
bool appendSubKey(std::string& path, std::string_view subKey)
{
    while (true) {
        const std::size_t next = subKey.find('\\');
        const std::string_view part = subKey.substr(0, next);
        if (part.empty() || !RegFile::isStorableName(part))
            return false;
        path += '\\';
        path += part;
        if (next == std::string_view::npos)
            return true;
        subKey.remove_prefix(next + 1);
    }
}

LONG openKey(HKEY key, LPCSTR subKey, PHKEY result, bool create)
{
    if (result == nullptr)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    std::string file;
    std::string path;
    if (const LONG status = resolve(key, file, path); status != ERROR_SUCCESS)
        return status;
    if (subKey == nullptr || subKey[0] == '\0') {
        *result = key; // as on Windows: the same handle comes back
        return ERROR_SUCCESS;
    }
    if (!appendSubKey(path, subKey))
        return ERROR_INVALID_PARAMETER;

    if (!RegFile::keyExists(RegFile::load(file).document, path)) {
        if (!create)
            return ERROR_FILE_NOT_FOUND;
        const bool stored = RegFile::update(file, [&path](RegFile::Document& document) {
            if (RegFile::keyExists(document, path))
                return false;
            RegFile::findOrAddKey(document, path);
            return true;
        });
        if (!stored)
            return ERROR_ACCESS_DENIED;
    }
    auto* handle = new HKEY__{file, path};
    const std::lock_guard<std::mutex> lock(handlesMutex);
    openHandles.insert(handle);
    *result = handle;
    return ERROR_SUCCESS;
}

} // namespace

LONG RegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result)
{
    return openKey(key, subKey, result, false);
}

LONG RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result)
{
    return openKey(key, subKey, result, true);
}

LONG RegCloseKey(HKEY key)
{
    if (rootName(key) != nullptr)
        return ERROR_SUCCESS;
    {
        const std::lock_guard<std::mutex> lock(handlesMutex);
        if (openHandles.erase(key) == 0)
            return ERROR_INVALID_HANDLE;
    }
    delete key;
    return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD size)
{
    if (reserved != nullptr || (data != nullptr && size == nullptr))
        return ERROR_INVALID_PARAMETER;
    std::string file;
    std::string path;
    if (const LONG status = resolve(key, file, path); status != ERROR_SUCCESS)
        return status;

    const RegFile::LoadResult loaded = RegFile::load(file);
    const RegFile::Key* found = RegFile::findKey(loaded.document, path);
    if (found == nullptr)
        return RegFile::keyExists(loaded.document, path) ? ERROR_FILE_NOT_FOUND : ERROR_KEY_DELETED;
    const RegFile::Value* value = RegFile::findValue(*found, valueName != nullptr ? valueName : "");
    if (value == nullptr)
        return ERROR_FILE_NOT_FOUND;

    const auto needed = static_cast<DWORD>(value->data.size());
    if (type != nullptr)
        *type = value->type;
    if (data != nullptr) {
        if (*size < needed) {
            *size = needed;
            return ERROR_MORE_DATA;
        }
        std::memcpy(data, value->data.data(), needed);
    }
    if (size != nullptr)
        *size = needed;
    return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD size)
{
    if (reserved != 0 || (data == nullptr && size != 0))
        return ERROR_INVALID_PARAMETER;
    RegFile::Value value;
    value.name = valueName != nullptr ? valueName : "";
    value.type = type;
    if (data != nullptr)
        value.data.assign(reinterpret_cast<const char*>(data), size);
    if (!RegFile::isStorableName(value.name))
        return ERROR_INVALID_PARAMETER;
    std::string file;
    std::string path;
    if (const LONG status = resolve(key, file, path); status != ERROR_SUCCESS)
        return status;

    const bool stored = RegFile::update(file, [&](RegFile::Document& document) {
        RegFile::Key& target = RegFile::findOrAddKey(document, path);
        const RegFile::Value* old = RegFile::findValue(target, value.name);
        if (old != nullptr && old->type == value.type && old->data == value.data)
            return false; // already stored: spare the disk a rewrite
        RegFile::setValue(target, value);
        return true;
    });
    return stored ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}
