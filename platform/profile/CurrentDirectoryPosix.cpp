#include "platform/profile/ProfileFile.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace profile {

namespace {

constexpr std::size_t kFirstDirectoryBufferSize = 256;

} // namespace

// Empty when the directory cannot be named (removed, or not reachable from the root).
std::string GetCurrentDirectory()
{
    std::string buffer(kFirstDirectoryBufferSize, '\0');
    for (;;) {
        if (::getcwd(buffer.data(), buffer.size()) != nullptr) {
            buffer.resize(std::strlen(buffer.c_str()));
            return buffer;
        }
        if (errno != ERANGE) return {};
        buffer.resize(buffer.size() * 2);
    }
}

std::string InWorkingDirectory(std::string_view name)
{
    if (!name.empty() && name.front() == '/') return std::string(name);
    return GetCurrentDirectory() + '/' + std::string(name);
}

} // namespace profile
