// The registry primitives over one per-user file, as there is no machine-wide store an ordinary
// user may write: $XDG_CONFIG_HOME/KxVantric/registry.reg or ~/.config/KxVantric/registry.reg.
// Every call looks at the file afresh, so running copies of the program see each other's values
// at once; its text is parsed again only when the file changed (another inode, size or time), so
// even a huge file costs one parse and not one per read. It holds a password, so it gets mode 0600
// in folders of mode 0700. Reading creates nothing. A write re-reads the file under a lock and
// renames a flushed temporary file over it: a crash leaves the old or the new file, and two running
// copies never drop each other's values. A damaged file is first copied to registry.reg.damaged, so
// nothing a user had in it is lost.
// The file holds one key of HKEY_LOCAL_MACHINE: the first one the process opens, the program's
// settings key, whose path the settings store passes in.

#include "platform/registry/WinReg.h"

#include "platform/registry/RegFileFormat.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

struct HKEY__ {
    std::string path; // empty until the first key is opened
};

namespace {

HKEY__ settingsKey; // the handle of the one key; there is nothing to release

// Read from the environment on every call; empty when no home is known.
std::string storePath()
{
    const char* config = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    if (config != nullptr && config[0] == '/')
        return std::string(config) + "/KxVantric/registry.reg";
    if (home != nullptr && home[0] == '/')
        return std::string(home) + "/.config/KxVantric/registry.reg";
    return {};
}

// The file's bytes; `error` gets the errno of a failed open or read, ENOENT when there is none.
// `identity`, if given, gets the status of the file that was read.
std::string load(const std::string& path, int& error, struct stat* identity = nullptr)
{
    // O_NONBLOCK: a FIFO in the file's place must not hang the window.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    struct stat info {};
    error = fd < 0 || ::fstat(fd, &info) != 0 ? errno
            : S_ISREG(info.st_mode)           ? 0
                                              : (S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
    std::string bytes;
    char buffer[65536];
    ssize_t n = 0;
    while (error == 0 && (n = ::read(fd, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, static_cast<std::size_t>(n));
    error = error == 0 && n < 0 ? errno : error;
    if (fd >= 0)
        ::close(fd);
    if (identity != nullptr)
        *identity = info;
    return error == 0 ? bytes : std::string();
}

// The values of the file last parsed, and what identified it then.
struct ParsedFile {
    std::string path;
    struct stat identity {};
    RegFile::Values values;
};
ParsedFile parsed;

bool sameTime(const timespec& a, const timespec& b)
{
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

// The file at `path` is still the one parsed last: same inode, size and times.
bool isParsedFile(const std::string& path)
{
    struct stat now {};
    const struct stat& then = parsed.identity;
    return !parsed.path.empty() && path == parsed.path && ::stat(path.c_str(), &now) == 0 &&
           S_ISREG(now.st_mode) && now.st_dev == then.st_dev && now.st_ino == then.st_ino &&
           now.st_size == then.st_size && sameTime(now.st_mtim, then.st_mtim) &&
           sameTime(now.st_ctim, then.st_ctim);
}

void rememberParsed(const std::string& path, const struct stat& identity,
                    const RegFile::Values& values)
{
    parsed = {path, identity, values};
}

// The values in the file, parsed again only when it changed. A file that cannot be read
// has none, and is not remembered.
const RegFile::Values& currentValues(const std::string& path)
{
    static const RegFile::Values none;
    if (isParsedFile(path))
        return parsed.values;
    int error = 0;
    struct stat identity {};
    const std::string bytes = load(path, error, &identity);
    if (error != 0) {
        parsed = {};
        return none;
    }
    rememberParsed(path, identity, RegFile::parse(bytes, settingsKey.path));
    return parsed.values;
}

// The caller holds the folder's lock, so the temporary name is ours; one left by a crash goes.
int replaceFile(int folderFd, const std::string& path, std::string_view bytes)
{
    const std::string temporary = path + ".tmp";
    ::unlink(temporary.c_str());
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    ssize_t n = 0;
    while (!bytes.empty() && (n = ::write(fd, bytes.data(), bytes.size())) > 0)
        bytes.remove_prefix(static_cast<std::size_t>(n));
    int error = !bytes.empty() ? (n == 0 ? EIO : errno) : ::fsync(fd) == 0 ? 0 : errno;
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

} // namespace

LONG RegCreateKeyA(HKEY key, const char* subKey, HKEY* result)
{
    if (result == nullptr)
        return EINVAL;
    const bool named = key == HKEY_LOCAL_MACHINE && subKey != nullptr && subKey[0] != '\0';
    if (named && settingsKey.path.empty())
        settingsKey.path = subKey;
    const bool isSettingsKey = named && RegFile::equalsIgnoringAsciiCase(subKey, settingsKey.path);
    *result = isSettingsKey ? &settingsKey : nullptr;
    return isSettingsKey ? ERROR_SUCCESS : EACCES;
}

LONG RegOpenKeyA(HKEY key, const char* subKey, HKEY* result)
{
    const LONG status = RegCreateKeyA(key, subKey, result); // which writes nothing
    return status == EACCES ? ENOENT : status;
}

LONG RegCloseKey(HKEY key)
{
    return key == &settingsKey ? ERROR_SUCCESS : EBADF;
}

LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD* reserved, DWORD* type, BYTE* data,
                      DWORD* size)
{
    if (key != &settingsKey || reserved != nullptr || (data != nullptr && size == nullptr))
        return EINVAL;
    const RegFile::Values& values = currentValues(storePath());
    const std::string* value = values.find(valueName != nullptr ? valueName : "");
    if (value == nullptr)
        return ENOENT;
    const bool fits = data == nullptr || *size >= value->size();
    if (fits && data != nullptr)
        std::memcpy(data, value->data(), value->size());
    if (type != nullptr)
        *type = REG_SZ;
    if (size != nullptr)
        *size = static_cast<DWORD>(value->size());
    return fits ? ERROR_SUCCESS : ERANGE;
}

LONG RegSetValueExA(HKEY key, const char* valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD size)
{
    const std::string name = valueName != nullptr ? valueName : "";
    if (key != &settingsKey || reserved != 0 || type != REG_SZ || (data == nullptr && size != 0) ||
        !RegFile::fitsInQuotes(name))
        return EINVAL;
    const std::string value(data != nullptr ? reinterpret_cast<const char*>(data) : "", size);
    const std::string path = storePath(); // when empty, the open below fails with ENOENT
    // Folders made here get mode 0700 whatever the umask; existing ones stay as they are.
    for (std::size_t end = 0; (end = path.find('/', end + 1)) != std::string::npos;) {
        const std::string part = path.substr(0, end);
        if (::mkdir(part.c_str(), 0700) == 0 ? ::chmod(part.c_str(), 0700) != 0 : errno != EEXIST)
            return errno;
    }
    // The lock is on the folder, as every write replaces the file; closing the folder lets go.
    const std::string folder = path.substr(0, path.rfind('/'));
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        return errno;
    // Another copy holds it for the milliseconds of a write. Should it never let go (stopped in a
    // debugger, say), the write is given up after about 5 s rather than hang the window.
    int error = EWOULDBLOCK;
    for (int attempt = 0; attempt < 2500 && error == EWOULDBLOCK; ++attempt) {
        error = ::flock(folderFd, LOCK_EX | LOCK_NB) == 0 ? 0 : errno;
        if (error == EWOULDBLOCK)
            ::usleep(2000);
    }
    // Under the lock the file is read again, unless it is still the whole file parsed last.
    const bool known = error == 0 && isParsedFile(path) && parsed.values.complete;
    const std::string bytes = error == 0 && !known ? load(path, error) : std::string();
    RegFile::Values values = known ? parsed.values : RegFile::parse(bytes, settingsKey.path);
    std::string* old = values.find(name);
    // A file that cannot be read is never replaced, as it could not even be kept aside; an
    // unchanged value spares the disk a rewrite.
    if ((error == 0 || error == ENOENT) && (old == nullptr || *old != value)) {
        error = values.complete ? 0 : replaceFile(folderFd, path + ".damaged", bytes);
        if (old == nullptr)
            old = &values.list.emplace_back(name, "").second;
        *old = value;
        error = error != 0 ? error
                           : replaceFile(folderFd, path, RegFile::format(values, settingsKey.path));
        struct stat identity {};
        if (error == 0 && ::stat(path.c_str(), &identity) == 0)
            rememberParsed(path, identity, values);
    }
    ::close(folderFd);
    return error;
}
