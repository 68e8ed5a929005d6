#include "platform/profile/AtomicReplace.h"

#include "platform/posix/UniqueFd.h"

#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace profile {

namespace {

constexpr int kTempNameAttempts = 100;
constexpr mode_t kNewFileMode = 0666; // narrowed by the umask, like any new file
constexpr mode_t kPermissionBits = 07777;
constexpr mode_t kAnyWriteBit = 0222;

// A symbolic link stays a link: the file it points to is the one replaced.
std::string ResolveTarget(const std::string& path)
{
    struct stat info { };
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
    const std::unique_ptr<char, decltype(&std::free)> resolved(::realpath(path.c_str(), nullptr), &std::free);
    return resolved ? std::string(resolved.get()) : path;
}

std::string DirectoryOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

constexpr const char* kTempMark = ".tmp";

std::string TempPrefix(const std::string& target)
{
    return target + kTempMark;
}

// A writer killed between creating its temporary file and renaming it leaves the file behind;
// the next write removes those whose writer is gone. A name's writer is the process number in it.
void RemoveStaleTemporaries(const std::string& target)
{
    const std::string directory = DirectoryOf(target);
    const std::string temp = TempPrefix(target);
    const std::string prefix = temp.substr(temp.find_last_of('/') + 1); // npos + 1 is 0
    const auto close = [](DIR* open) { ::closedir(open); };
    const std::unique_ptr<DIR, decltype(close)> folder(::opendir(directory.c_str()), close);
    if (!folder) return;
    while (const dirent* entry = ::readdir(folder.get())) {
        const std::string_view name = entry->d_name;
        if (!name.starts_with(prefix)) continue;
        const std::string_view rest = name.substr(prefix.size());
        pid_t writer = 0;
        const auto [end, failure] = std::from_chars(rest.data(), rest.data() + rest.size(), writer);
        if (failure != std::errc{} || end == rest.data() || end == rest.data() + rest.size() || *end != '-' || writer <= 0 || writer == ::getpid()) continue;
        if (::kill(writer, 0) != 0 && errno == ESRCH) ::unlinkat(::dirfd(folder.get()), std::string(name).c_str(), 0);
    }
}

// Creates a fresh temporary file next to `target`; its name goes to `tempPath`.
posix::UniqueFd CreateTemp(const std::string& target, std::string& tempPath)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        tempPath = TempPrefix(target) + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        posix::UniqueFd fd(::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, kNewFileMode));
        if (fd.IsOpen() || errno != EEXIST) return fd;
    }
    return posix::UniqueFd(-1);
}

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t count = ::write(fd, bytes.data(), bytes.size());
        if (count < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
    return true;
}

// The replacement stands for a write into the file, so it needs what such a write needs; a
// file that grants writing to nobody is left alone even by a user the system lets past that.
bool MayWrite(const std::string& path, const struct stat& info)
{
    return S_ISREG(info.st_mode) && (info.st_mode & kAnyWriteBit) != 0 && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

// The new file takes the old one's owner where the system allows it, then its permission bits
// (after the owner, which may clear set-id bits).
bool TakeOver(int fd, const struct stat& old)
{
    if (old.st_uid != ::geteuid() || old.st_gid != ::getegid()) {
        // Where neither is allowed, the file keeps the replacing user's owner and group.
        [[maybe_unused]] const bool taken
            = ::fchown(fd, old.st_uid, old.st_gid) == 0 || ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) == 0;
    }
    return ::fchmod(fd, old.st_mode & kPermissionBits) == 0;
}

// Makes the rename itself durable; a failure here loses nothing that is already in place.
void SyncDirectory(const std::string& directory)
{
    const posix::UniqueFd fd(::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.IsOpen()) ::fsync(fd.Get());
}

} // namespace

bool AtomicReplace(const std::string& path, std::string_view bytes)
{
    const std::string target = ResolveTarget(path);
    struct stat old { };
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists && !MayWrite(target, old)) return false;

    RemoveStaleTemporaries(target);
    std::string tempPath;
    posix::UniqueFd fd = CreateTemp(target, tempPath);
    if (!fd.IsOpen()) return false;

    bool written = !exists || TakeOver(fd.Get(), old);
    written = written && WriteAll(fd.Get(), bytes) && ::fsync(fd.Get()) == 0;
    written = fd.Close() && written;
    if (!written || std::rename(tempPath.c_str(), target.c_str()) != 0) {
        ::unlink(tempPath.c_str());
        return false;
    }
    SyncDirectory(DirectoryOf(target));
    return true;
}

} // namespace profile
