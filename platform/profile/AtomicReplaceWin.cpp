#include "platform/profile/AtomicReplace.h"

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/Wide.h"

#include "platform/win32/Windows.h"

#include <atomic>

namespace profile {

namespace {

constexpr int kTempNameAttempts = 100;
constexpr const wchar_t* kTempMark = L".tmp";

// A writer killed between creating its temporary file and replacing the file leaves the
// temporary behind. A live writer holds its own open without sharing, so only the left-over
// ones can be deleted.
void RemoveStaleTemporaries(const std::wstring& target)
{
    const std::wstring folder = target.substr(0, target.find_last_of(L"\\/") + 1); // npos + 1 is 0
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((target + kTempMark + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        ::DeleteFileW((folder + found.cFileName).c_str());
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

// Creates a fresh temporary file next to `target`, held without sharing; its name goes to
// `tempPath`.
win32::UniqueHandle CreateTemp(const std::wstring& target, std::wstring& tempPath)
{
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < kTempNameAttempts; ++attempt) {
        tempPath = target + kTempMark + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(counter++);
        win32::UniqueHandle handle(::CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (handle.IsOpen() || ::GetLastError() != ERROR_FILE_EXISTS) return handle;
    }
    return win32::UniqueHandle();
}

bool WriteAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        DWORD written = 0;
        const DWORD chunk = bytes.size() > MAXDWORD ? MAXDWORD : static_cast<DWORD>(bytes.size());
        if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// A rename that replaces the old name in one step, written through before it returns.
// ReplaceFileW would carry more of the old file over, but it swaps the names in several steps,
// and a writer killed between them leaves no file at all.
bool PutInPlace(const std::wstring& tempPath, const std::wstring& target)
{
    return ::MoveFileExW(tempPath.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

} // namespace

bool AtomicReplace(const std::string& path, std::string_view bytes)
{
    const std::wstring target = win32::Widen(path);
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // A read-only file is one the user means to keep as it is; a folder or device is no profile.
    if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) != 0) return false;

    RemoveStaleTemporaries(target);
    std::wstring tempPath;
    win32::UniqueHandle temp = CreateTemp(target, tempPath);
    if (!temp.IsOpen()) return false;
    bool written = WriteAll(temp.Get(), bytes) && ::FlushFileBuffers(temp.Get());
    written = temp.Close() && written;
    // The new file keeps the old one's attributes (hidden, say): read-only it was not.
    if (written && exists) ::SetFileAttributesW(tempPath.c_str(), attributes == 0 ? FILE_ATTRIBUTE_NORMAL : attributes);
    if (!written || !PutInPlace(tempPath, target)) {
        ::DeleteFileW(tempPath.c_str());
        return false;
    }
    return true;
}

} // namespace profile
