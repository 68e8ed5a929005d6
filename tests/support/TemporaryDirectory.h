#pragma once

// A fresh, empty temporary directory that is removed, with everything in it, with the object.

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

class TemporaryDirectory {
public:
    explicit TemporaryDirectory(const std::string& prefix = "velmora")
    {
        std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
        if (::mkdtemp(pattern.data()) == nullptr) throw std::system_error(errno, std::generic_category(), "mkdtemp");
        m_path = std::filesystem::canonical(pattern);
    }
    ~TemporaryDirectory() { std::filesystem::remove_all(m_path, m_ignored); }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
    std::error_code m_ignored;
};
