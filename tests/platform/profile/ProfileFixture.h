#pragma once

#include "platform/profile/ProfileFile.h"
#include "tests/support/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// A fresh empty folder per test, removed afterwards, and a profile bound to Velmora.ini in it.
class ProfileFixture : public ::testing::Test {
protected:
    std::string PathOf(const std::string& name) const { return (m_folder.Path() / name).string(); }
    void Put(const std::string& bytes) const { std::ofstream(PathOf(kIniName), std::ios::binary | std::ios::trunc) << bytes; }
    std::string Bytes() const
    {
        std::ifstream in(PathOf(kIniName), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    // Names in the folder: shows a stray temporary file.
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_folder.Path())) names.push_back(entry.path().filename().string());
        return names;
    }

    static inline const std::string kIniName = "Velmora.ini";

    const TemporaryDirectory m_folder{"velmora-profile"};
    const profile::ProfileFile m_ini{PathOf(kIniName)};
};
