#include "platform/profile/FileBytes.h"

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/Wide.h"

#include "platform/win32/Windows.h"

#include <array>

namespace profile {

namespace {

constexpr DWORD kReadChunk = 16 * 1024;

bool IsMissing(DWORD error)
{
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME;
}

} // namespace

FileBytes FileBytes::Load(const std::string& path)
{
    FileBytes file;
    const std::wstring name = win32::Widen(path);
    // Another program may hold the file open, even for writing: it is read as it is now.
    win32::UniqueHandle handle(::CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!handle.IsOpen()) {
        const DWORD error = ::GetLastError();
        // A folder opens only with backup semantics; like anything but a file, it is no profile.
        const DWORD attributes = ::GetFileAttributesW(name.c_str());
        const bool folder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        file.status = IsMissing(error) || folder ? Status::Missing : Status::Unreadable;
        return file;
    }
    if (::GetFileType(handle.Get()) != FILE_TYPE_DISK) {
        file.status = Status::Missing;
        return file;
    }

    std::array<char, kReadChunk> chunk{};
    for (;;) {
        DWORD count = 0;
        if (!::ReadFile(handle.Get(), chunk.data(), kReadChunk, &count, nullptr)) {
            file.status = Status::Unreadable;
            file.bytes.clear();
            return file;
        }
        if (count == 0) break;
        file.bytes.append(chunk.data(), count);
    }
    file.status = Status::Read;
    return file;
}

} // namespace profile
