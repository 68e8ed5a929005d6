#include "widgets/list/TextFitting.h"

#include <gtest/gtest.h>

using listctrl::FirstCodePoints;
using listctrl::FitText;

namespace {

// A font where every character is 6 pixels wide, a dot 2 and a Japanese character 12; it
// fails the test if it is ever asked about a cut character.
int FixedWidth(std::string_view text)
{
    int width = 0;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        EXPECT_LE(i + length, text.size()) << "measured a cut character";
        width += lead == '.' ? 2 : lead < 0x80 ? 6 : 12;
        i += length;
    }
    return width;
}

} // namespace

TEST(FitText, KeepsWhatFitsElseTheLongestPrefixOfWholeCharactersAndEllipsisButAtLeastOneCharacter)
{
    struct Case {
        std::string_view text;
        int width;
        int allowance;
        std::string_view shown;
    };
    const Case cases[] = {
        {"ABCD", 26, 2, "ABCD"}, // 24 + 2 fits exactly
        {"ABCD", 25, 2, "AB..."},
        {"ABCDEFGH", 40, 4, "ABCDE..."}, // k characters fit when 6k + 6 + 4 <= width
        {"ABCDEFGH", 39, 4, "ABCD..."},
        {"ABCあ", 30, 4, "ABC..."}, // all but a last character wider than "..."
        {"ABCDEF", 3, 4, "A..."},
        {"W", 3, 4, "W..."},
        {"あいう", 3, 4, "あ..."},
        {"", 0, 4, ""},
        {"あいうえ", 32, 2, "あい..."}, // 12k + 6 + 2 <= 32
        {"aあbいc", 30, 0, "aあb..."},  // "aあb" is 24 wide, "aあ" 18
        {"aあbいc", 29, 0, "aあ..."},
    };
    for (const Case& c : cases) {
        const auto fitted = FitText(c.text, c.width, c.allowance, FixedWidth);
        EXPECT_EQ(fitted.text, c.shown) << c.text << " in " << c.width;
        EXPECT_EQ(fitted.shortened, c.shown != c.text) << c.text << " in " << c.width;
    }
}

TEST(FirstCodePoints, CountsCharactersNotBytes)
{
    EXPECT_EQ(FirstCodePoints("あいう", 2), "あい");
    EXPECT_EQ(FirstCodePoints("aあb", 2), "aあ");
    EXPECT_EQ(FirstCodePoints("abc", 3), "abc");
    EXPECT_EQ(FirstCodePoints("abc", 259), "abc");
    EXPECT_EQ(FirstCodePoints("abc", 0), "");
}
