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

} // namespace profile
