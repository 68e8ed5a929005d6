#include "pages/TypedNumber.h"
#include "pages/WordMapScale.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

std::optional<int> StoredWord(const char* typed)
{
    const std::optional<double> x = ParseTypedNumber(typed);
    if (!x) return std::nullopt;
    const std::optional<MapAccepted> accepted = WordMapScale::Accept(*x);
    return accepted ? std::optional<int>(accepted->raw) : std::nullopt;
}

} // namespace

// The read-out shows every digit of a word value, so typing what it shows must store that value.
TEST(WordMapScale, EveryReadOutTypesBackAsItsValue)
{
    for (int raw = 0; raw <= 65500; ++raw) {
        const std::string shown = WordMapScale::SelectionText(static_cast<uint16_t>(raw));
        ASSERT_EQ(StoredWord(shown.c_str()), raw) << shown;
    }
}

TEST(TypedNumber, ReadsTheLeadingNumberAsTheCLibraryDoesAndRefusesOneOutOfRange)
{
    const std::pair<const char*, std::optional<double>> cases[] = {{"12abc", 12.0}, {" \t+7", 7.0}, {"\n\v\f\r-9", -9.0}, {"0x1p3", 8.0},
        {"-0X10", -16.0}, {"0x", 0.0}, {"0x-1", 0.0}, {"0xnan", 0.0}, {"0XINF", 0.0}, {"0x.8", 0.5}, {"0x08", 8.0}, {"0xa", 10.0},
        {"0XA.8", 10.5}, {"0x.p1", 0.0}, {"abc", std::nullopt}, {"+-1", std::nullopt}, {"1e999", std::nullopt}, {"0x1p99999", std::nullopt},
        {"-0x1p-99999", std::nullopt}};
    for (const auto& [typed, read] : cases) EXPECT_EQ(ParseTypedNumber(typed), read) << typed;
}
