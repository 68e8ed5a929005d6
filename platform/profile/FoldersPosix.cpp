#include "platform/profile/Folders.h"

#include "platform/posix/UniqueFd.h"

#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace profile {

namespace {

bool WriteAll(int fd, const char* bytes, size_t count)
{
    while (count > 0) {
        const ssize_t put = ::write(fd, bytes, count);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return false;
        bytes += put;
        count -= static_cast<size_t>(put);
    }
    return true;
}

bool CopyBytes(int from, int to)
{
    char buffer[8192];
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got == 0) return true;
        if (got < 0 && errno == EINTR) continue;
        if (got < 0 || !WriteAll(to, buffer, static_cast<size_t>(got))) return false;
    }
}

} // namespace

std::string DocumentsFolder()
{
    const char* home = std::getenv("HOME");
    return home != nullptr ? home : "";
}

std::string ProgramFolder()
{
    std::string path(4096, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), path.size());
    if (length <= 0 || static_cast<size_t>(length) >= path.size()) return {};
    path.resize(static_cast<size_t>(length));
    return path.substr(0, path.find_last_of('/'));
}

std::string InFolder(std::string_view folder, std::string_view name)
{
    return std::string(folder) + '/' + std::string(name);
}

bool Exists(const std::string& path)
{
    struct stat info { };
    return ::stat(path.c_str(), &info) == 0;
}

bool IsFolder(const std::string& path)
{
    struct stat info { };
    return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool MakeFolder(const std::string& path)
{
    return ::mkdir(path.c_str(), 0777) == 0 || IsFolder(path);
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    DIR* listing = ::opendir(folder.c_str());
    if (listing == nullptr) return names;
    while (const dirent* entry = ::readdir(listing)) {
        struct stat info { };
        if (::stat(InFolder(folder, entry->d_name).c_str(), &info) == 0 && S_ISREG(info.st_mode)) names.emplace_back(entry->d_name);
    }
    ::closedir(listing);
    return names;
}

bool CopyToNew(const std::string& from, const std::string& to)
{
    posix::UniqueFd source(::open(from.c_str(), O_RDONLY | O_CLOEXEC));
    if (!source.IsOpen()) return false;
    posix::UniqueFd target(::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!target.IsOpen()) return false;
    if (CopyBytes(source.Get(), target.Get()) && target.Close()) return true;
    ::unlink(to.c_str()); // no half copy left behind
    return false;
}

bool SameFolder(const std::string& a, const std::string& b)
{
    struct stat first {
    }, second{};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 && S_ISDIR(first.st_mode) && first.st_dev == second.st_dev
        && first.st_ino == second.st_ino;
}

bool ChangeDirectory(const std::string& path)
{
    return ::chdir(path.c_str()) == 0;
}

} // namespace profile
