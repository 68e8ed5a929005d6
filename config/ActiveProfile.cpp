#include "config/ActiveProfile.h"

#include "platform/profile/ProfileFile.h"

namespace config {

void ActiveProfile::SetProfilePath(std::string_view name)
{
    m_path = profile::InWorkingDirectory(name);
}

int ActiveProfile::GetInt(const std::string& section, const std::string& key, int defaultValue) const
{
    return profile::ProfileFile(m_path).GetInt(section, key, defaultValue);
}

std::string ActiveProfile::GetString(const std::string& section, const std::string& key) const
{
    return profile::ProfileFile(m_path).GetString(section, key);
}

bool ActiveProfile::WriteInt(const std::string& section, const std::string& key, int value) const
{
    return profile::ProfileFile(m_path).WriteInt(section, key, value);
}

ActiveProfile& TheProfile()
{
    static ActiveProfile profile;
    return profile;
}

std::string Numbered(std::string_view prefix, int number)
{
    return std::string(prefix) + std::to_string(number);
}

} // namespace config
