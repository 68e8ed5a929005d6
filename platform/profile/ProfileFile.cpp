#include "platform/profile/ProfileFile.h"

#include "platform/profile/AtomicReplace.h"
#include "platform/profile/FileBytes.h"
#include "platform/profile/IniText.h"
#include "platform/profile/IniValue.h"

#include <optional>

namespace profile {

namespace {

std::optional<std::string> ReadValue(const std::string& path, const std::string& section, const std::string& key)
{
    FileBytes file = FileBytes::Load(path);
    if (file.status != FileBytes::Status::Read) return std::nullopt;
    return IniText(std::move(file.bytes)).Value(section, key);
}

} // namespace

int ProfileFile::GetInt(const std::string& section, const std::string& key, int defaultValue) const
{
    const std::optional<std::string> value = ReadValue(m_path, section, key);
    return value ? ParseIniInt(UnquoteIniValue(*value)) : defaultValue;
}

std::string ProfileFile::GetString(const std::string& section, const std::string& key) const
{
    const std::optional<std::string> value = ReadValue(m_path, section, key);
    return value ? std::string(UnquoteIniValue(*value)) : std::string();
}

bool ProfileFile::WriteInt(const std::string& section, const std::string& key, int value) const
{
    FileBytes file = FileBytes::Load(m_path);
    if (file.status == FileBytes::Status::Unreadable) return false;
    const std::optional<std::string> updated = IniText(std::move(file.bytes)).WithValue(section, key, std::to_string(value));
    return updated && AtomicReplace(m_path, *updated);
}

} // namespace profile
