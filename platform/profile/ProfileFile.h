#pragma once

#include <string>

namespace profile {

// Private-profile (INI) access bound to one file path. Every call reads the file anew.
class ProfileFile {
public:
    explicit ProfileFile(std::string path)
        : m_path(std::move(path))
    { }

    const std::string& Path() const { return m_path; }

    int GetInt(const std::string& section, const std::string& key, int defaultValue) const;
    std::string GetString(const std::string& section, const std::string& key) const;
    // Writes decimal text; keeps every other byte of the file. False when it could not be written.
    bool WriteInt(const std::string& section, const std::string& key, int value) const;

private:
    std::string m_path;
};

// The process's current working directory, without a trailing separator.
std::string GetCurrentDirectory();
// A file name as a path: an absolute name as it is, any other in the working directory.
std::string InWorkingDirectory(std::string_view name);

} // namespace profile
