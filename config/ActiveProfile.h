#pragma once

#include <string>
#include <string_view>

namespace config {

// The profile file every profile read and the one write go to: the base file until a
// profile is chosen, then that profile. Nothing is cached; each read opens the file.
class ActiveProfile {
public:
    // The working directory, "/" and name; a name that is an absolute path is used as it is.
    void SetProfilePath(std::string_view name);
    const std::string& Path() const { return m_path; }

    int GetInt(const std::string& section, const std::string& key, int defaultValue) const;
    std::string GetString(const std::string& section, const std::string& key) const;
    bool WriteInt(const std::string& section, const std::string& key, int value) const;

private:
    std::string m_path;
};

// The program's active profile, owned by the application object.
ActiveProfile& TheProfile();

// Section and key names built from a number, counting from 1: "DataItem%d", "Item%d", ...
std::string Numbered(std::string_view prefix, int number);

} // namespace config
