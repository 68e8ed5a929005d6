#include "app/win32/IconFile.h"

#include <gmock/gmock.h>

#include <bit>
#include <stdexcept>
#include <string>
#include <vector>

using ::testing::HasSubstr;

namespace {

constexpr icon::Rgba kClear{};
constexpr icon::Rgba kRed{255, 0, 0, 255};
constexpr icon::Rgba kBlue{0, 0, 255, 255};
constexpr icon::Rgba kWhite{255, 255, 255, 255};
constexpr icon::Rgba kBlack{0, 0, 0, 255};

icon::Image Row(std::vector<icon::Rgba> pixels)
{
    const int width = static_cast<int>(pixels.size());
    return icon::Image{width, 1, std::move(pixels)};
}

std::string ReadError(const std::vector<const char*>& lines)
{
    try {
        icon::ReadXpm(lines);
    } catch (const std::runtime_error& error) {
        return error.what();
    }
    return "(read without error)";
}

TEST(IconFile, XpmColoursComeFromTheColourValueWhateverTheKeyLength)
{
    // Two characters a pixel, a space inside a key, a symbolic name before the colour and a
    // mono value after it, hex digits in either case.
    const std::vector<const char*> xpm = {"3 2 3 2", "   c None", "a  s edge c #FF0000 m black", "b c #0000ff", "  a b ", "b   a "};
    const icon::Image image = icon::ReadXpm(xpm);
    EXPECT_EQ(image, (icon::Image{3, 2, {kClear, kRed, kBlue, kBlue, kClear, kRed}}));
}

TEST(IconFile, MalformedXpmIsRefusedWithItsLine)
{
    const std::pair<std::vector<const char*>, const char*> cases[] = {
        {{}, "empty"},
        {{"2 1 1"}, "line 1: expected"},
        {{"2 0 1 1", ". c #000000"}, "line 1: expected"},
        {{"2 x 1 1", ". c #000000", ".."}, "line 1: expected"},
        {{"2 1 2 1", ". c #000000", ".."}, "too few for 2 colours and 1 rows"},
        {{"2 2 1 1", ". c #000000", ".."}, "too few"},
        {{"2 1 1 2", ".", "...."}, "line 2: shorter than its 2-character key"},
        {{"2 1 1 1", ". s edge", ".."}, "line 2: no colour"},
        {{"2 1 1 1", ". c", ".."}, "line 2: no colour"},
        {{"2 1 1 1", ". c red", ".."}, "line 2: colour \"red\" is neither"},
        {{"2 1 1 1", ". c #FFF", ".."}, "neither"},
        {{"2 1 1 1", ". c #12345G", ".."}, "neither"},
        {{"2 1 1 1", ". c light grey", ".."}, "colour \"light grey\""},
        {{"2 1 2 1", ". c #000000", ". c None", ".."}, "line 3: key \".\" is given twice"},
        {{"2 1 1 1", ". c #000000", "..."}, "line 3: row is 3 characters, not 2"},
        {{"2 1 1 1", ". c #000000", "."}, "row is 1 characters"},
        {{"2 1 1 1", ". c #000000", ".x"}, "line 3: pixel key \"x\" has no colour"},
    };
    for (const auto& [lines, reason] : cases) EXPECT_THAT(ReadError(lines), HasSubstr(reason)) << (lines.empty() ? "(none)" : lines[0]);
}

TEST(IconFile, ScaledPixelsAverageTheAreaTheyCover)
{
    const icon::Rgba halfRed{255, 0, 0, 128};
    const icon::Rgba grey{128, 128, 128, 255};
    const icon::Rgba purple{128, 0, 128, 255};
    const icon::Rgba mostlyRed{170, 0, 85, 255};
    const icon::Rgba mostlyBlue{85, 0, 170, 255};
    const struct {
        const char* what;
        icon::Image source;
        int width;
        icon::Image expected;
    } cases[] = {
        {"halving averages, 127.5 rounding up", Row({kWhite, kBlack}), 1, Row({grey})},
        // Premultiplied: the transparent neighbour thins the red, it does not darken it.
        {"a transparent neighbour only lowers alpha", Row({kRed, kClear}), 1, Row({halfRed})},
        {"all transparent stays all zero", Row({kClear, kClear}), 1, Row({kClear})},
        {"a whole multiple repeats pixels", Row({kRed, kBlue}), 4, Row({kRed, kRed, kBlue, kBlue})},
        {"a straddling pixel blends its two", Row({kRed, kBlue}), 3, Row({kRed, purple, kBlue})},
        {"thirds weigh by coverage", Row({kRed, kRed, kBlue}), 2, Row({kRed, mostlyBlue})},
        {"thirds the other way", Row({kRed, kBlue, kBlue}), 2, Row({mostlyRed, kBlue})},
        {"the same size is the same image", Row({kRed, halfRed, kClear}), 3, Row({kRed, halfRed, kClear})},
    };
    for (const auto& test : cases) EXPECT_EQ(icon::Scale(test.source, test.width, 1), test.expected) << test.what;

    // Both axes at once: a 2x2 block of four colours into one pixel.
    const icon::Image square{2, 2, {kRed, kBlue, kWhite, kBlack}};
    EXPECT_EQ(icon::Scale(square, 1, 1), (icon::Image{1, 1, {{128, 64, 128, 255}}}));
}

// Byte order, rows and the directory are checked where Windows reads the icons back (the
// program's resources); the mask only old systems read, so its padding is checked here.
TEST(IconFile, MaskRowsArePaddedToWholeWords)
{
    const std::pair<int, size_t> cases[] = {{1, 4}, {16, 4}, {32, 4}, {33, 8}, {48, 8}, {256, 32}};
    for (const auto& [width, stride] : cases) {
        const icon::Image image{width, 2, std::vector<icon::Rgba>(static_cast<size_t>(width) * 2, kClear)};
        const std::vector<uint8_t> bytes = icon::EncodeIconImage(image);
        ASSERT_EQ(bytes.size(), 40 + static_cast<size_t>(width) * 2 * 4 + stride * 2) << width;
        // Every pixel transparent: the bits in use are set, the padding is not.
        const size_t maskStart = 40 + static_cast<size_t>(width) * 2 * 4;
        size_t setBits = 0;
        for (size_t at = maskStart; at < maskStart + stride; ++at) setBits += static_cast<size_t>(std::popcount(bytes[at]));
        EXPECT_EQ(setBits, static_cast<size_t>(width)) << width;
    }
}

TEST(IconFile, ImpossibleSizesAreRefused)
{
    const icon::Image one{1, 1, {kRed}};
    EXPECT_THROW(icon::EncodeIconImage(icon::Image{}), std::invalid_argument);
    EXPECT_THROW(icon::EncodeIconImage(icon::Scale(one, 257, 1)), std::invalid_argument);
    EXPECT_THROW(icon::EncodeIco({}), std::invalid_argument);
    EXPECT_THROW(icon::Scale(one, 0, 1), std::invalid_argument);
    EXPECT_THROW(icon::Scale(icon::Image{}, 1, 1), std::invalid_argument);
}

} // namespace
