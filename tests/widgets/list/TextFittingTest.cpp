#include "widgets/list/TextFitting.h"

#include <gtest/gtest.h>

#include <tuple>

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
    // 24 + 2 fits "ABCD" exactly; k characters and "..." fit when 6k + 6 + allowance <= width.
    const std::tuple<std::string_view, int, int, std::string_view> cases[]
        = {{"ABCD", 26, 2, "ABCD"}, {"ABCD", 25, 2, "AB..."}, {"ABCDEFGH", 40, 4, "ABCDE..."}, {"ABCDEFGH", 39, 4, "ABCD..."},
            {"ABCあ", 30, 4, "ABC..."}, {"ABCDEF", 3, 4, "A..."}, {"W", 3, 4, "W..."}, {"あいう", 3, 4, "あ..."}, {"", 0, 4, ""},
            {"あいうえ", 32, 2, "あい..."}, {"aあbいc", 30, 0, "aあb..."}, {"aあbいc", 29, 0, "aあ..."}};
    for (const auto& [text, width, allowance, shown] : cases) {
        const auto fitted = FitText(text, width, allowance, FixedWidth);
        EXPECT_EQ(fitted.text, shown) << text << " in " << width;
        EXPECT_EQ(fitted.shortened, shown != text) << text << " in " << width;
    }
}

TEST(FirstCodePoints, CountsCharactersNotBytes)
{
    for (const auto& [text, count, first] :
        {std::tuple{"あいう", 2, "あい"}, {"aあb", 2, "aあ"}, {"abc", 3, "abc"}, {"abc", 259, "abc"}, {"abc", 0, ""}})
        EXPECT_EQ(FirstCodePoints(text, count), first) << text << " " << count;
}
