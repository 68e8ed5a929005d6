#include "platform/profile/ProfileFile.h"

#include "platform/win32/Wide.h"

#include "platform/win32/Windows.h"

namespace profile {

// Empty when the system cannot name it.
std::string GetCurrentDirectory()
{
    // The first call tells the size with the terminating zero, the second the length without.
    std::wstring buffer(::GetCurrentDirectoryW(0, nullptr), L'\0');
    if (buffer.empty()) return {};
    const DWORD length = ::GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0 || length >= buffer.size()) return {};
    buffer.resize(length);
    return win32::Narrow(buffer);
}

std::string InWorkingDirectory(std::string_view name)
{
    // Rooted ("\\server\share", "\\dir", "/dir") or on a drive ("C:\dir"): the name is the path.
    const bool absolute = (!name.empty() && (name.front() == '\\' || name.front() == '/')) || (name.size() >= 2 && name[1] == ':');
    if (absolute) return std::string(name);
    return GetCurrentDirectory() + '\\' + std::string(name);
}

} // namespace profile
