#include "app/MonItem.h"
#include "app/MonitorFormat.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

MonItem Item(int type, int address)
{
    MonItem item;
    item.m_nType = type;
    item.m_nAddress = address;
    return item;
}

} // namespace

TEST(MonItemDefinition, AddressMustLieWithinTheLiveDataAndTypeBeKnown)
{
    EXPECT_TRUE(Item(0, 40).IsValid());
    EXPECT_FALSE(Item(0, 41).IsValid());
    EXPECT_FALSE(Item(0, -1).IsValid());
    EXPECT_TRUE(Item(3, 0).IsValid());
    EXPECT_FALSE(Item(4, 0).IsValid());
    EXPECT_FALSE(Item(-1, 0).IsValid()) << "a negative type is refused like one above 3";
    EXPECT_FALSE(MonItem{}.IsValid()) << "missing keys read as 99";
}

TEST(MonItemConversion, PressuresSwitchTheirUnitAtTheirThresholds)
{
    struct Case {
        MonItem item;
        int raw;
        const char* shown;
        const char* unit;
    };
    const Case cases[] = {
        {Item(2, 0), 32767, "327670", "mmHg"}, // raw pressure: kgf/cm² from 0x8000 on
        {Item(3, 0), 10332, "   0", "kgf/cm²"}, // absolute pressure: kgf/cm² from 10197 on
        {Item(3, 0), 10197, "-0.0135", "kgf/cm²"},
        {Item(3, 0), 10196, "-10.0096", "mmHg"},
    };
    for (const Case& c : cases) {
        const MonItem::Reading reading = c.item.Convert(c.raw);
        EXPECT_EQ(FormatMonitorValue(c.item.m_strFormat, reading.value), c.shown) << c.raw;
        EXPECT_STREQ(reading.unit, c.unit) << c.raw;
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
    const struct {
        const char* text;
        double value;
    } cases[] = {{"1.5e1", 15.0}, {"  -0.25kg", -0.25}, {"+2", 2.0}, {"-.5", -0.5}, {"1e400", 0.0}, {"abc", 0.0}, {"+-3", 0.0}, {".", 0.0},
        {"nan", 0.0}, {"-NAN(1)", 0.0}, {"-Inf", 0.0}, {" Infinity", 0.0}};
    for (const auto& each : cases) {
        EXPECT_EQ(ParseProfileNumber(each.text), each.value) << '"' << each.text << '"';
    }
}
