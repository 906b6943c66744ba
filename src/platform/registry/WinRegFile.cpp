// The registry primitives over one file, for platforms without a registry. They keep the
// program's one key, HKEY_LOCAL_MACHINE\Software\KxVantric\Configuration, with string values
// (the text is described in RegFileFormat.h). Every call reads the file afresh, so running copies
// of the program see each other's values at once, as they would in the registry.
//
// Linux has no machine-wide store an ordinary user may write, so the file is per user:
// $XDG_CONFIG_HOME/KxVantric/registry.reg, or ~/.config/KxVantric/registry.reg when the variable
// is unset. It holds a password as plain text, so it is created with mode 0600 in a folder created
// with mode 0700. Reading never creates anything. Writing re-reads the file under an exclusive
// lock on its folder, changes it, writes a temporary file beside it, flushes it to disk and
// renames it over the old one: a crash leaves the old or the new file, and two running copies
// never drop each other's values. A damaged file is copied to registry.reg.damaged before it is
// replaced, so nothing a user had in it is thrown away.

#include "platform/registry/WinReg.h"

#include "platform/registry/RegFileFormat.h"
#include "settings/ConfigurationKey.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

struct HKEY__ {};

namespace {

HKEY__ settingsKey;                  // the handle of the one key; there is nothing to release
thread_local int lastWriteError = 0; // errno behind this thread's last ERROR_WRITE_FAULT

// The file's path, read from the environment on every call; empty when no home is known.
std::string storePath()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    std::string base;
    if (config != nullptr && config[0] == '/')
        base = config;
    else if (home != nullptr && home[0] == '/')
        base = std::string(home) + "/.config";
    return base.empty() ? base : base + "/KxVantric/registry.reg";
}

// The file's bytes; `error` gets the errno of a failed open or read, ENOENT when there is none.
std::string load(const std::string& path, int& error)
{
    // O_NONBLOCK: a FIFO in the file's place must not hang the window.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info {};
    error = fd < 0 || ::fstat(fd, &info) != 0 ? errno
            : S_ISREG(info.st_mode)           ? 0
                                              : (S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
    std::string bytes;
    char buffer[65536];
    for (ssize_t n = 1; error == 0 && n > 0;) {
        n = ::read(fd, buffer, sizeof buffer);
        bytes.append(buffer, n > 0 ? static_cast<std::size_t>(n) : 0);
        error = n < 0 ? errno : 0;
    }
    if (fd >= 0)
        ::close(fd);
    return error == 0 ? bytes : std::string();
}

std::string folderOf(const std::string& path)
{
    return path.substr(0, path.rfind('/'));
}

// Creates the folder and any missing parents with mode 0700; existing ones stay as they are.
int makeFolders(const std::string& folder)
{
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode) ? 0 : ENOTDIR;
    if (const std::string parent = folderOf(folder); !parent.empty()) {
        if (const int error = makeFolders(parent))
            return error;
    }
    if (::mkdir(folder.c_str(), 0700) != 0)
        return errno == EEXIST ? 0 : errno;
    return ::chmod(folder.c_str(), 0700) == 0 ? 0 : errno; // whatever the umask
}

bool writeAll(int fd, std::string_view bytes)
{
    for (ssize_t n = 0; !bytes.empty(); bytes.remove_prefix(static_cast<std::size_t>(n))) {
        if ((n = ::write(fd, bytes.data(), bytes.size())) <= 0) {
            errno = n == 0 ? EIO : errno; // a write of nothing would go round for ever
            return false;
        }
    }
    return true;
}

// Replaces the file at `path` with `bytes` so that a crash leaves the old or the new contents.
// The caller holds the folder's lock, so the temporary name is ours; one left by a crash goes.
int replaceFile(int folderFd, const std::string& path, const std::string& bytes)
{
    const std::string temporary = path + ".tmp";
    ::unlink(temporary.c_str());
    const int fd =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    int error = writeAll(fd, bytes) && ::fsync(fd) == 0 ? 0 : errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.c_str(), path.c_str()) != 0)
        error = errno;
    if (error != 0)
        ::unlink(temporary.c_str());
    else
        ::fsync(folderFd); // makes the rename itself durable
    return error;
}

// Another copy holds the lock only for the few milliseconds of its write. Should it never let go
// (stopped in a debugger, say), the write is given up after about 5 s rather than hanging the
// window.
int lockFolder(int fd)
{
    for (int attempt = 0; attempt < 2500; ++attempt) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return 0;
        if (errno != EWOULDBLOCK)
            return errno;
        ::usleep(2000);
    }
    return EWOULDBLOCK;
}

int storeLocked(int folderFd, const std::string& path, const std::string& name,
                const std::string& data)
{
    int error = lockFolder(folderFd);
    const std::string bytes = error == 0 ? load(path, error) : std::string();
    if (error != 0 && error != ENOENT)
        return error; // replacing the file would lose what cannot even be copied aside
    RegFile::Values values = RegFile::parse(bytes);
    if (const std::string* old = values.find(name); old != nullptr && *old == data)
        return 0; // already stored: spare the disk a rewrite
    if (!values.complete && (error = replaceFile(folderFd, path + ".damaged", bytes)) != 0)
        return error;
    values.set(name, data);
    return replaceFile(folderFd, path, RegFile::format(values));
}

// Sets the value `name` to `data`. Returns 0 when it is stored (or already was), otherwise the
// errno of the step that failed, and the file is as before.
int storeValue(const std::string& name, const std::string& data)
{
    const std::string path = storePath();
    if (path.empty())
        return ENOENT;
    if (const int error = makeFolders(folderOf(path)))
        return error;
    // The lock is on the folder, as every write replaces the file; closing lets go of it.
    const int folderFd = ::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        return errno;
    const int error = storeLocked(folderFd, path, name, data);
    ::close(folderFd);
    return error;
}

// Opens the settings key; any other key is refused.
LONG openKey(HKEY root, LPCSTR subKey, PHKEY result, LONG refusal)
{
    if (result == nullptr)
        return ERROR_INVALID_PARAMETER;
    const bool isSettingsKey = root == HKEY_LOCAL_MACHINE && subKey != nullptr &&
                               RegFile::equalsIgnoringCase(subKey, ConfigurationKey::Path);
    *result = isSettingsKey ? &settingsKey : nullptr;
    return isSettingsKey ? ERROR_SUCCESS : refusal;
}

} // namespace

LONG RegOpenKeyA(HKEY key, LPCSTR subKey, PHKEY result)
{
    return openKey(key, subKey, result, ERROR_FILE_NOT_FOUND);
}

LONG RegCreateKeyA(HKEY key, LPCSTR subKey, PHKEY result)
{
    return openKey(key, subKey, result, ERROR_ACCESS_DENIED);
}

LONG RegCloseKey(HKEY key)
{
    return key == &settingsKey ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD size)
{
    if (key != &settingsKey)
        return ERROR_INVALID_HANDLE;
    if (reserved != nullptr || (data != nullptr && size == nullptr))
        return ERROR_INVALID_PARAMETER;
    int error = 0;
    RegFile::Values values = RegFile::parse(load(storePath(), error));
    const std::string* value = values.find(valueName != nullptr ? valueName : "");
    if (value == nullptr)
        return ERROR_FILE_NOT_FOUND;
    const auto needed = static_cast<DWORD>(value->size());
    if (type != nullptr)
        *type = REG_SZ;
    if (data != nullptr && *size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (data != nullptr)
        std::memcpy(data, value->data(), needed);
    if (size != nullptr)
        *size = needed;
    return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD size)
{
    if (key != &settingsKey)
        return ERROR_INVALID_HANDLE;
    const std::string name = valueName != nullptr ? valueName : "";
    if (reserved != 0 || type != REG_SZ || (data == nullptr && size != 0) ||
        !RegFile::isStorableName(name))
        return ERROR_INVALID_PARAMETER;
    const std::string bytes =
        data != nullptr ? std::string(reinterpret_cast<const char*>(data), size) : std::string();
    lastWriteError = storeValue(name, bytes);
    return lastWriteError == 0 ? ERROR_SUCCESS : ERROR_WRITE_FAULT;
}

std::string registryErrorText(LONG code)
{
    const int error = code == ERROR_WRITE_FAULT      ? lastWriteError
                      : code == ERROR_SUCCESS        ? 0
                      : code == ERROR_FILE_NOT_FOUND ? ENOENT
                      : code == ERROR_ACCESS_DENIED  ? EACCES
                                                     : EINVAL;
    return std::strerror(error);
}
