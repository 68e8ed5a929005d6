#pragma once

// A fresh, empty temporary directory that is removed, with everything in it, with the object.

#include <filesystem>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

class TemporaryDirectory {
public:
    explicit TemporaryDirectory(const std::string& prefix = "velmora")
    {
        // Making a directory fails where one is already there, so a name once made is ours.
        std::random_device entropy;
        for (int attempt = 0; attempt < 100 && m_path.empty(); ++attempt) {
            const std::filesystem::path candidate = std::filesystem::temp_directory_path() / (prefix + "-" + std::to_string(entropy()));
            if (std::filesystem::create_directory(candidate)) m_path = std::filesystem::canonical(candidate);
        }
        if (m_path.empty()) throw std::runtime_error("no fresh temporary directory");
    }
    ~TemporaryDirectory() { std::filesystem::remove_all(m_path, m_ignored); }
    TemporaryDirectory(const TemporaryDirectory&) = delete;
    TemporaryDirectory& operator=(const TemporaryDirectory&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
    std::error_code m_ignored;
};
