#pragma once

// A fresh temporary working directory for one test: the process works in it until the
// object goes, then the old directory comes back and the temporary one is removed.

#include "tests/support/TemporaryDirectory.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

class WorkingDirectory : public TemporaryDirectory {
public:
    WorkingDirectory() { std::filesystem::current_path(Path()); }
    ~WorkingDirectory() { std::filesystem::current_path(m_previous, m_ignored); }

    std::string File(const std::string& name) const { return (Path() / name).string(); }
    void Write(const std::string& name, const std::string& text) const { std::ofstream(Path() / name, std::ios::binary) << text; }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(Path() / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    const std::filesystem::path m_previous = std::filesystem::current_path();
    std::error_code m_ignored;
};
