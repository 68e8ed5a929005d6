#include "ProfileFixture.h"

#include <climits>
#include <optional>
#include <tuple>

namespace {

using ProfileWrite = ProfileFixture;

// Every other byte stays; the value goes where a read finds it, in the file's own line ending.
TEST_F(ProfileWrite, PutsTheValueWhereAReadFindsItKeepingEveryOtherByte)
{
    const std::string head = "\xEF\xBB\xBF[Port]\r\n; written by hand\r\n  k =  ";
    const std::string tail = "  \r\nName=COM3\r\n\r\n[Page]\r\nk=4\r\n";
    const std::tuple<std::optional<std::string>, const char*, int, std::string> cases[] = {
        {head + "3" + tail, "port", -12, head + "-12" + tail},
        // The first matching key of the first matching section.
        {"[s]\nK=1\nk=2\n[S]\nk=3\n", "S", 9, "[s]\nK=9\nk=2\n[S]\nk=3\n"},
        // A missing key goes after the last non-blank line of its section.
        {"[A]\r\nx=1\r\n; note\r\n\r\n\r\n[B]\r\ny=2\r\n", "a", 9, "[A]\r\nx=1\r\n; note\r\nk=9\r\n\r\n\r\n[B]\r\ny=2\r\n"},
        {"[Empty]\n\n[B]\n", "Empty", 9, "[Empty]\nk=9\n\n[B]\n"},
        // A missing section goes at the end, even of a file without a final line ending.
        {"[A]\r\nx=1\r\n", "New", 9, "[A]\r\nx=1\r\n[New]\r\nk=9\r\n"},
        {"[A]\r\nx=1", "A", 9, "[A]\r\nx=1\r\nk=9\r\n"},
        {"[A]", "B", 9, "[A]\n[B]\nk=9\n"},
        // A lone carriage return ends a line too.
        {"[A]\rx=1\r[B]\r", "a", 9, "[A]\rx=1\rk=9\r[B]\r"},
        // A missing file is made with LF endings.
        {std::nullopt, "Window", INT_MIN, "[Window]\nk=-2147483648\n"},
    };
    for (const auto& [before, section, value, after] : cases) {
        SCOPED_TRACE(before.value_or("no file"));
        std::filesystem::remove(PathOf(kIniName));
        if (before) Put(*before);
        EXPECT_TRUE(m_ini.WriteInt(section, "k", value));
        EXPECT_EQ(Bytes(), after);
        EXPECT_EQ(m_ini.GetInt(section, "k", 0), value);
        EXPECT_EQ(Entries(), std::vector<std::string>{kIniName});
    }
}

} // namespace
