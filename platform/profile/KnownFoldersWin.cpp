#include "platform/profile/KnownFolders.h"

#include <string>

#include "platform/win32/Windows.h"

#include <shlobj.h>

namespace profile {

std::filesystem::path DocumentsFolder()
{
    PWSTR folder = nullptr;
    std::filesystem::path documents;
    if (SUCCEEDED(::SHGetKnownFolderPath(FOLDERID_Documents, KF_FLAG_DEFAULT, nullptr, &folder))) documents = folder;
    ::CoTaskMemFree(folder);
    return documents;
}

std::filesystem::path ProgramFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return std::filesystem::path(path).parent_path();
        }
        path.resize(path.size() * 2); // cut short: a longer buffer
    }
}

} // namespace profile
