#include "platform/registry/RegFileStore.h"

#include <cerrno>
#include <cstdlib>
#include <utility>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace RegFile {

namespace {

constexpr const char* kFolderName = "KxVantric";
constexpr const char* kFileName = "registry.reg";
constexpr const char* kDamagedSuffix = ".damaged";
constexpr const char* kTemporarySuffix = ".tmp";

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string homeFolder()
{
    const char* home = std::getenv("HOME");
    if (home != nullptr && home[0] == '/')
        return home;
    const passwd* entry = getpwuid(getuid());
    if (entry != nullptr && entry->pw_dir != nullptr && entry->pw_dir[0] == '/')
        return entry->pw_dir;
    return {};
}

// Closes a descriptor when it goes out of scope; closing a directory lock also releases it.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {}
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

// Creates the folder and any missing parents. Folders this creates get mode 0700; existing ones
// are left as they are.
bool makeFolders(const std::string& folder)
{
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0)
        return S_ISDIR(info.st_mode);
    const std::string parent = folderOf(folder);
    if (parent != folder && !parent.empty() && !makeFolders(parent))
        return false;
    if (::mkdir(folder.c_str(), 0700) != 0)
        return errno == EEXIST;
    return ::chmod(folder.c_str(), 0700) == 0;
}

bool writeAll(int fd, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Replaces the file at `path` with `bytes` so that a crash leaves the old or the new contents.
// The caller holds the folder's lock, so the temporary name is ours; one left by a crash is
// removed first.
bool replaceFile(int folderFd, const std::string& path, const std::string& bytes)
{
    const std::string temporary = path + kTemporarySuffix;
    ::unlink(temporary.c_str());
    FileDescriptor fd(
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    bool ok = fd.get() >= 0 && ::fchmod(fd.get(), 0600) == 0 && writeAll(fd.get(), bytes) &&
              ::fsync(fd.get()) == 0;
    if (fd.get() >= 0)
        ok = ::close(fd.release()) == 0 && ok;
    ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    ::fsync(folderFd); // makes the rename itself durable
    return true;
}

// Another copy holds the lock only for the few milliseconds of its write. Should it never let go
// (stopped in a debugger, say), the write is given up rather than hanging the window.
bool lockFolder(int fd)
{
    for (int attempt = 0; attempt < 2500; ++attempt) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
            return true;
        if (errno != EWOULDBLOCK && errno != EINTR)
            return false;
        ::usleep(2000);
    }
    return false;
}

} // namespace

std::string storePath()
{
    std::string base;
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config != nullptr && config[0] == '/') {
        base = config;
    } else {
        const std::string home = homeFolder();
        if (home.empty())
            return {};
        base = home + "/.config";
    }
    while (base.size() > 1 && base.back() == '/')
        base.pop_back();
    return base + '/' + kFolderName + '/' + kFileName;
}

LoadResult load(const std::string& path)
{
    LoadResult result;
    if (path.empty())
        return result;
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) {
        result.state = errno == ENOENT ? LoadState::Missing : LoadState::Unreadable;
        return result;
    }
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        result.state = LoadState::Unreadable;
        return result;
    }
    char buffer[65536];
    while (true) {
        const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result.state = LoadState::Unreadable;
            result.bytes.clear();
            return result;
        }
        if (n == 0)
            break;
        result.bytes.append(buffer, static_cast<std::size_t>(n));
    }
    result.state = LoadState::Loaded;
    result.document = parse(result.bytes);
    return result;
}

bool update(const std::string& path, const std::function<bool(Document&)>& change)
{
    if (path.empty())
        return false;
    const std::string folder = folderOf(path);
    if (!makeFolders(folder))
        return false;
    // Lock the folder rather than the file: the file is replaced by every write.
    FileDescriptor folderFd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folderFd.get() < 0)
        return false;
    if (!lockFolder(folderFd.get()))
        return false;

    LoadResult current = load(path);
    if (current.state == LoadState::Unreadable)
        return false; // replacing it would lose what we cannot even copy
    if (!change(current.document))
        return true;
    if (current.state == LoadState::Loaded && !current.document.complete &&
        !replaceFile(folderFd.get(), path + kDamagedSuffix, current.bytes))
        return false;
    return replaceFile(folderFd.get(), path, format(current.document));
}

} // namespace RegFile
