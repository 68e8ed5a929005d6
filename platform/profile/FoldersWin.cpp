#include "platform/profile/Folders.h"

#include "platform/win32/UniqueHandle.h"
#include "platform/win32/Wide.h"

#include "platform/win32/Windows.h"

#include <shlobj.h>

namespace profile {

namespace {

DWORD Attributes(const std::string& path)
{
    return ::GetFileAttributesW(win32::Widen(path).c_str());
}

} // namespace

std::string DocumentsFolder()
{
    PWSTR folder = nullptr;
    std::string documents;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_Documents, KF_FLAG_DEFAULT, nullptr, &folder))) documents = win32::Narrow(folder);
    ::CoTaskMemFree(folder);
    return documents;
}

std::string ProgramFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return win32::Narrow(path.substr(0, path.find_last_of(L'\\')));
        }
        path.resize(path.size() * 2); // cut short: a longer buffer
    }
}

std::string InFolder(std::string_view folder, std::string_view name)
{
    return std::string(folder) + '\\' + std::string(name);
}

bool Exists(const std::string& path)
{
    return Attributes(path) != INVALID_FILE_ATTRIBUTES;
}

bool IsFolder(const std::string& path)
{
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool MakeFolder(const std::string& path)
{
    return ::CreateDirectoryW(win32::Widen(path).c_str(), nullptr) || IsFolder(path);
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW(win32::Widen(InFolder(folder, "*")).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) names.push_back(win32::Narrow(found.cFileName));
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return names;
}

bool CopyToNew(const std::string& from, const std::string& to)
{
    return ::CopyFileW(win32::Widen(from).c_str(), win32::Widen(to).c_str(), TRUE);
}

bool SameFolder(const std::string& a, const std::string& b)
{
    // The same volume and file index: the same folder, whatever the spelling of the paths.
    const auto identity = [](const std::string& path, BY_HANDLE_FILE_INFORMATION& info) {
        const win32::UniqueHandle folder(::CreateFileW(win32::Widen(path).c_str(), 0,
            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        return folder.IsOpen() && ::GetFileInformationByHandle(folder.Get(), &info);
    };
    BY_HANDLE_FILE_INFORMATION first{}, second{};
    return identity(a, first) && identity(b, second) && first.dwVolumeSerialNumber == second.dwVolumeSerialNumber
        && first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

bool ChangeDirectory(const std::string& path)
{
    return ::SetCurrentDirectoryW(win32::Widen(path).c_str());
}

} // namespace profile
