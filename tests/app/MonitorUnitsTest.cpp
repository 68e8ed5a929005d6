#include "app/MonItem.h"
#include "app/MonitorFormat.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

namespace {

MonItem Item(int type, int address)
{
    MonItem item;
    item.m_nType = type;
    item.m_nAddress = address;
    return item;
}

} // namespace

// A negative type is refused like one above 3; missing keys read as 99.
TEST(MonItemDefinition, AddressMustLieWithinTheLiveDataAndTypeBeKnown)
{
    for (const auto& [type, address, valid] :
        {std::tuple{0, 40, true}, {0, 41, false}, {0, -1, false}, {3, 0, true}, {4, 0, false}, {-1, 0, false}, {99, 99, false}})
        EXPECT_EQ(Item(type, address).IsValid(), valid) << type << ", " << address;
}

TEST(MonItemConversion, PressuresSwitchTheirUnitAtTheirThresholds)
{
    // Raw pressure is in kgf/cm² from 0x8000 on, absolute pressure from 10197 on.
    const std::tuple<int, int, const char*, const char*> cases[]
        = {{2, 32767, "327670", "mmHg"}, {3, 10332, "   0", "kgf/cm²"}, {3, 10197, "-0.0135", "kgf/cm²"}, {3, 10196, "-10.0096", "mmHg"}};
    for (const auto& [type, raw, shown, unit] : cases) {
        const MonItem::Reading reading = Item(type, 0).Convert(raw);
        EXPECT_EQ(FormatMonitorValue("", reading.value), shown) << raw;
        EXPECT_STREQ(reading.unit, unit) << raw;
    }
}

TEST(MonitorFormats, AcceptExactlyOneFloatingConversion)
{
    for (const char* good : {"%4.2f", "%g", "%-+ #08.3e", "%5.0f rpm", "100%% %G", "%a", "%12.12f", "%lf", "%6.1le", "%lg", "%lG"}) {
        EXPECT_TRUE(IsSafeMonitorFormat(good)) << good;
    }
    for (const char* bad :
        {"", "%s%n", "%d", "%n", "%f%f", "%*f", "%.*f", "%Lf", "%llf", "%ld", "%lu", "%ls", "%l", "%123f", "%.100f", "text", "%", "%4.2"}) {
        EXPECT_FALSE(IsSafeMonitorFormat(bad)) << bad;
    }
}

TEST(MonitorFormats, RefusedFormatsFallBackToTheDefault)
{
    EXPECT_EQ(FormatMonitorValue("", 3.5), " 3.5");
    EXPECT_EQ(FormatMonitorValue("%6.2lf", 3.14159), "  3.14");
    EXPECT_EQ(FormatMonitorValue("%5.0f%%", 42.0), "   42%");
    EXPECT_EQ(FormatMonitorValue(std::string("%f\0%n", 5), 1.0), "   1") << "an embedded zero byte is refused";
}

// A decimal number leads the text or it reads as 0.0: the words the C library would take for
// infinities and not-a-number are no number here.
TEST(ProfileNumbers, ReadTheLeadingDecimalNumber)
{
    const std::pair<const char*, double> cases[] = {{"1.5e1", 15.0}, {"  -0.25kg", -0.25}, {"+2", 2.0}, {"-.5", -0.5}, {"1e400", 0.0},
        {"abc", 0.0}, {"+-3", 0.0}, {".", 0.0}, {"nan", 0.0}, {"-NAN(1)", 0.0}, {"-Inf", 0.0}, {" Infinity", 0.0}};
    for (const auto& [text, value] : cases) EXPECT_EQ(ParseProfileNumber(text), value) << '"' << text << '"';
}
