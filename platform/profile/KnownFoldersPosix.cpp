#include "platform/profile/KnownFolders.h"

#include <cstdlib>
#include <system_error>

namespace profile {

std::filesystem::path DocumentsFolder()
{
    const char* home = std::getenv("HOME");
    return home != nullptr ? std::filesystem::path(home) : std::filesystem::path();
}

std::filesystem::path ProgramFolder()
{
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : program.parent_path();
}

} // namespace profile
