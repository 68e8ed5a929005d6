#include "ProfileFixture.h"

#include <climits>
#include <tuple>
#include <utility>

namespace {

using ProfileRead = ProfileFixture;

TEST_F(ProfileRead, IntTakesTheLeadingSignedDecimalOnlyClampedToTheIntRange)
{
    const std::string nines(500, '9');
    const std::pair<std::string, int> cases[] = {{"12abc", 12}, {"  -7", -7}, {"+42", 42}, {"007", 7}, {"\"15\"", 15}, {"abc", 0},
        {"", 0}, {"-", 0}, {"- 5", 0}, {"--5", 0}, {"0x1F", 0}, {"2147483647", INT_MAX}, {"-2147483648", INT_MIN},
        {"2147483648", INT_MAX}, {"-2147483649", INT_MIN}, {nines, INT_MAX}, {"-" + nines, INT_MIN}};
    for (const auto& [text, value] : cases) {
        Put("[N]\nk=" + text + "\n");
        EXPECT_EQ(m_ini.GetInt("N", "k", 99), value) << text;
    }
}

// Names match ignoring ASCII case and blanks, whole; only a key of the first section asked for
// counts, outside comments; anything else is the default.
TEST_F(ProfileRead, KeysAreFoundInTheirOwnSectionOnlyOutsideComments)
{
    const std::tuple<const char*, const char*, const char*, int> cases[] = {
        {"Number=8\n[Port]\nName=COM1\n", "Port", "Number", -1},
        {"[Port]\nName=COM1\n[Other]\nNumber=5\n", "Port", "Number", -1},
        {"[Port]\nNumber=5\n", "Missing", "Number", -1},
        {"; [S]\n;k=1\n[S]\n  ; k=2\nk=3\n", "S", "k", 3},
        {"[S]\nk=1\n;[T]\nk=3\n", "T", "k", -1},
        {"  [ Zone Settings ]  trailing text\n  Baud Rate  =  19200  \nBAUD RATE=2\n", "zone settings", "BAUD RATE", 19200},
        {"[Port Settings]\nBaud Rate=19200\n", "Port Setting", "Baud Rate", -1},
        {"[Port Settings]\nk=1\n[PORT SETTINGS]\nParity=3\n", "port settings", "Parity", -1},
    };
    for (const auto& [file, section, key, value] : cases) {
        Put(file);
        EXPECT_EQ(m_ini.GetInt(section, key, -1), value) << file << section;
    }
}

TEST_F(ProfileRead, StringDropsSurroundingBlanksAndOneQuotePair)
{
    const std::pair<const char*, const char*> cases[] = {{" \t hello world \t", "hello world"}, {"\"  padded \"", "  padded "},
        {"'x'", "x"}, {"\"x'", "\"x'"}, {"\"", "\""}, {"''", ""}, {"a \"b\" c", "a \"b\" c"}};
    for (const auto& [text, value] : cases) {
        Put(std::string("[S]\r\nk=") + text + "\r\n");
        EXPECT_EQ(m_ini.GetString("S", "k"), value) << text;
    }
}

TEST_F(ProfileRead, EveryReadSeesTheFileAsItIsNow)
{
    Put("[S]\nk=1\n");
    EXPECT_EQ(m_ini.GetInt("S", "k", 0), 1);
    Put("[S]\nk=2\n");
    EXPECT_EQ(m_ini.GetInt("S", "k", 0), 2);
    std::filesystem::remove(PathOf(kIniName));
    EXPECT_EQ(std::pair(m_ini.GetInt("S", "k", 0), m_ini.GetString("S", "k")), std::pair(0, std::string()));
    // A folder where the file was reads as missing.
    ASSERT_TRUE(std::filesystem::create_directory(PathOf(kIniName)));
    EXPECT_EQ(m_ini.GetString("S", "k"), "");
}

// A name in Japanese comes back as the UTF-8 it was made from.
TEST_F(ProfileRead, TheCurrentDirectoryIsTheOneLastChangedInto)
{
    const std::filesystem::path saved = std::filesystem::current_path();
    const std::filesystem::path folder = m_folder.Path() / std::filesystem::path(u8"設定フォルダ");
    std::filesystem::create_directory(folder);
    std::filesystem::current_path(folder);
    const std::string current = profile::GetCurrentDirectory();
    std::filesystem::current_path(saved);
    const std::u8string expected = folder.u8string();
    EXPECT_EQ(current, std::string(expected.begin(), expected.end()));
}

} // namespace
