#include "ProfileFixture.h"

#include <climits>
#include <sys/stat.h>
#include <tuple>
#include <utility>

namespace {

class ProfileRead : public ProfileFixture { };

TEST_F(ProfileRead, IntTakesTheLeadingSignedDecimalOnlyClampedToTheIntRange)
{
    const std::string nines(500, '9');
    const std::pair<std::string, int> cases[] = {
        {"12abc", 12},
        {"  -7", -7},
        {"+42", 42},
        {"007", 7},
        {"\"15\"", 15},
        {"abc", 0},
        {"", 0},
        {"-", 0},
        {"- 5", 0},
        {"--5", 0},
        {"0x1F", 0},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"2147483648", INT_MAX},
        {"-2147483649", INT_MIN},
        {nines, INT_MAX},
        {"-" + nines, INT_MIN},
    };
    std::string text = "[N]\n";
    for (size_t i = 0; i < std::size(cases); ++i) text += "k" + std::to_string(i) + "=" + cases[i].first + "\n";
    Put(text);
    for (size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(m_ini.GetInt("N", "k" + std::to_string(i), 99), cases[i].second) << cases[i].first;
}

// Only a key of the section asked for counts, outside comments; anything else is the default.
TEST_F(ProfileRead, KeysAreFoundInTheirOwnSectionOnlyOutsideComments)
{
    const std::tuple<const char*, const char*, const char*, int> cases[] = {
        {"Number=8\n[Port]\nName=COM1\n", "Port", "Number", -1},
        {"[Port]\nName=COM1\n[Other]\nNumber=5\n", "Port", "Number", -1},
        {"[Port]\nNumber=5\n", "Missing", "Number", -1},
        {"; [S]\n;k=1\n[S]\n  ; k=2\nk=3\n", "S", "k", 3},
        {"[S]\nk=1\n;[T]\nk=3\n", "T", "k", -1},
    };
    for (const auto& [file, section, key, value] : cases) {
        Put(file);
        EXPECT_EQ(m_ini.GetInt(section, key, -1), value) << file << section;
    }
}

TEST_F(ProfileRead, StringDropsSurroundingBlanksAndOneQuotePair)
{
    Put("[S]\r\nplain = \t hello world \t\r\ndouble=\"  padded \"\r\nsingle='x'\r\nmixed=\"x'\r\n"
        "lone=\"\r\nemptyQuotes=''\r\ninner=a \"b\" c\r\n");
    EXPECT_EQ(m_ini.GetString("S", "plain"), "hello world");
    EXPECT_EQ(m_ini.GetString("S", "double"), "  padded ");
    EXPECT_EQ(m_ini.GetString("S", "single"), "x");
    EXPECT_EQ(m_ini.GetString("S", "mixed"), "\"x'");
    EXPECT_EQ(m_ini.GetString("S", "lone"), "\"");
    EXPECT_EQ(m_ini.GetString("S", "emptyQuotes"), "");
    EXPECT_EQ(m_ini.GetString("S", "inner"), "a \"b\" c");
}

TEST_F(ProfileRead, NamesMatchIgnoringAsciiCaseAndBlanksAndTheFirstMatchWins)
{
    Put("  [ Port Settings ]  trailing text\n  Baud Rate  =  19200  \nBAUD RATE=2\n[PORT SETTINGS]\nParity=3\n");
    EXPECT_EQ(m_ini.GetInt("port settings", "BAUD RATE", 0), 19200);
    EXPECT_EQ(m_ini.GetInt("Port Setting", "Baud Rate", 0), 0) << "a prefix is not a match";
    EXPECT_EQ(m_ini.GetInt("port settings", "Parity", -1), -1) << "a later duplicate section is not read";
}

TEST_F(ProfileRead, EveryReadSeesTheFileAsItIsNow)
{
    Put("[S]\nk=1\n");
    EXPECT_EQ(m_ini.GetInt("S", "k", 0), 1);
    Put("[S]\nk=2\n");
    EXPECT_EQ(m_ini.GetInt("S", "k", 0), 2);
    std::filesystem::remove(PathOf(kIniName));
    EXPECT_EQ(m_ini.GetInt("S", "k", 0), 0);
    EXPECT_EQ(m_ini.GetString("S", "k"), "");
    // A FIFO nobody writes into reads as missing, at once.
    ASSERT_EQ(::mkfifo(PathOf(kIniName).c_str(), 0644), 0);
    EXPECT_EQ(m_ini.GetString("S", "k"), "");
}

TEST_F(ProfileRead, TheCurrentDirectoryIsTheOneLastChangedIntoHoweverLongItsPath)
{
    const std::filesystem::path saved = std::filesystem::current_path();
    std::filesystem::path deep = m_dir;
    for (int level = 0; level < 8; ++level) deep /= std::string(200, static_cast<char>('a' + level));
    std::filesystem::create_directories(deep);
    std::filesystem::current_path(deep);
    const std::string current = profile::GetCurrentDirectory();
    std::filesystem::current_path(saved);
    EXPECT_EQ(current, deep.string());
}

} // namespace
