#pragma once

#include "platform/profile/ProfileFile.h"
#include "tests/support/TemporaryDirectory.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
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

    // What a killed-writer test writes again and again: `zero`, put in place, long enough that a
    // kill often lands inside a write (CP932, a BOM and CRLF ends throughout), and `one`, its
    // other value; `waits` spreads the kills over the time a write takes here, whatever the
    // machine's speed and load.
    struct KilledWrites {
        std::string zero, one;
        std::uniform_int_distribution<long long> waits;
    };
    KilledWrites PrepareKilledWrites() const
    {
        KilledWrites writes{"\xEF\xBB\xBF[CommSelect]\r\nItem=0\r\n", {}, {}};
        for (int i = 0; i < 4000; ++i) writes.zero += "; \x83\x7B\x81\x5B\x83\x58\x83\x67 line " + std::to_string(i) + "\r\n";
        Put(writes.zero);
        writes.one = std::string(writes.zero).replace(writes.zero.find("Item=0"), 6, "Item=1");
        const auto before = std::chrono::steady_clock::now();
        for (int value : {1, 0}) EXPECT_TRUE(m_ini.WriteInt("CommSelect", "Item", value));
        writes.waits = std::uniform_int_distribution<long long>(0, (std::chrono::steady_clock::now() - before).count());
        return writes;
    }

    static inline const std::string kIniName = "Velmora.ini";

    const TemporaryDirectory m_folder{"velmora-profile"};
    const profile::ProfileFile m_ini{PathOf(kIniName)};
};
