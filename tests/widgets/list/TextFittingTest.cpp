#include "widgets/list/TextFitting.h"

#include <gtest/gtest.h>

using listctrl::FirstCodePoints;
using listctrl::FitText;

namespace {

bool EndsInsideACodePoint(std::string_view text)
{
    size_t lead = text.size();
    size_t continuation = 0;
    while (lead > 0 && (static_cast<unsigned char>(text[lead - 1]) & 0xC0) == 0x80) {
        --lead;
        ++continuation;
    }
    if (lead == 0) return continuation > 0;
    const auto first = static_cast<unsigned char>(text[lead - 1]);
    const size_t needed = first >= 0xF0 ? 3 : first >= 0xE0 ? 2 : first >= 0xC0 ? 1 : 0;
    return continuation != needed;
}

// A font where every character is 6 pixels wide, a dot 2 and a Japanese character 12; it
// fails the test if it is ever asked about a cut character.
int FixedWidth(std::string_view text)
{
    EXPECT_FALSE(EndsInsideACodePoint(text)) << "measured a cut character";
    int width = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == '.') width += 2;
        else if (byte < 0x80) width += 6;
        else if (byte >= 0xC0) width += 12;
    }
    return width;
}

} // namespace

TEST(FitText, TextThatFitsWithItsAllowanceIsUnchanged)
{
    const auto fitted = FitText("ABCD", 26, 2, FixedWidth); // 24 + 2 = 26
    EXPECT_EQ(fitted.text, "ABCD");
    EXPECT_FALSE(fitted.shortened);
    EXPECT_TRUE(FitText("ABCD", 25, 2, FixedWidth).shortened);
}

TEST(FitText, TooLongTextKeepsItsLongestFittingPrefixAndEllipsis)
{
    // k characters fit when 6k + 6 ("...") + 4 <= width.
    const auto fitted = FitText("ABCDEFGH", 40, 4, FixedWidth);
    EXPECT_EQ(fitted.text, "ABCDE...");
    EXPECT_TRUE(fitted.shortened);
    EXPECT_EQ(FitText("ABCDEFGH", 39, 4, FixedWidth).text, "ABCD...");
    // All but a last character wider than "..." fit.
    EXPECT_EQ(FitText("ABCあ", 30, 4, FixedWidth).text, "ABC...");
}

TEST(FitText, NoRoomStillLeavesOneCharacterAndEmptyStaysEmpty)
{
    EXPECT_EQ(FitText("ABCDEF", 3, 4, FixedWidth).text, "A...");
    EXPECT_EQ(FitText("ABCDEF", 0, 2, FixedWidth).text, "A...");
    EXPECT_EQ(FitText("W", 3, 4, FixedWidth).text, "W...");
    EXPECT_EQ(FitText("あいう", 3, 4, FixedWidth).text, "あ...");
    const auto empty = FitText("", 0, 4, FixedWidth);
    EXPECT_EQ(empty.text, "");
    EXPECT_FALSE(empty.shortened);
}

TEST(FitText, CutsMultiByteTextBetweenCharacters)
{
    // 12k + 6 + 2 <= 32 keeps two of the four characters.
    EXPECT_EQ(FitText("あいうえ", 32, 2, FixedWidth).text, "あい...");
    // ASCII and Japanese mixed: "aあ" is 18 wide, "aあb" 24.
    EXPECT_EQ(FitText("aあbいc", 30, 0, FixedWidth).text, "aあb...");
    EXPECT_EQ(FitText("aあbいc", 29, 0, FixedWidth).text, "aあ...");
}

TEST(FirstCodePoints, CountsCharactersNotBytes)
{
    EXPECT_EQ(FirstCodePoints("あいう", 2), "あい");
    EXPECT_EQ(FirstCodePoints("aあb", 2), "aあ");
    EXPECT_EQ(FirstCodePoints("abc", 3), "abc");
    EXPECT_EQ(FirstCodePoints("abc", 259), "abc");
    EXPECT_EQ(FirstCodePoints("abc", 0), "");
}
