#include "platform/profile/FileBytes.h"

#include "platform/posix/UniqueFd.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace profile {

namespace {

constexpr std::size_t kReadChunk = 16 * 1024;

} // namespace

FileBytes FileBytes::Load(const std::string& path)
{
    FileBytes file;
    // Not blocking, so that opening a FIFO returns at once instead of waiting for a writer.
    posix::UniqueFd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!fd.IsOpen()) {
        file.status = (errno == ENOENT || errno == ENOTDIR) ? Status::Missing : Status::Unreadable;
        return file;
    }
    // Only a regular file holds a profile: a FIFO or a device would block or never end.
    struct stat info { };
    if (::fstat(fd.Get(), &info) != 0) {
        file.status = Status::Unreadable;
        return file;
    }
    if (!S_ISREG(info.st_mode)) {
        file.status = Status::Missing;
        return file;
    }

    std::array<char, kReadChunk> chunk{};
    for (;;) {
        const ssize_t count = ::read(fd.Get(), chunk.data(), chunk.size());
        if (count > 0) {
            file.bytes.append(chunk.data(), static_cast<std::size_t>(count));
        } else if (count == 0) {
            break;
        } else if (errno != EINTR) {
            file.status = Status::Unreadable;
            file.bytes.clear();
            return file;
        }
    }
    file.status = Status::Read;
    return file;
}

} // namespace profile
