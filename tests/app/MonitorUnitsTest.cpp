#include "app/MonItem.h"
#include "app/MonitorFormat.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

MonItem Item(int type, int address, double coefficient = 0.0, double offset = 0.0)
{
    MonItem item;
    item.m_nType = type;
    item.m_nAddress = address;
    item.m_dCoefficient = coefficient;
    item.m_dOffset = offset;
    return item;
}

std::string Shown(const MonItem& item, int raw)
{
    return FormatMonitorValue(item.m_strFormat, item.Convert(raw).value);
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

TEST(MonItemRaw, WordsAreLittleEndianAndOnlyReceivedBytesCount)
{
    const std::vector<uint8_t> live{0x00, 0x00, 0x00, 0x00, 0x34, 0x12};
    EXPECT_EQ(Item(0, 4).ReadRaw(live), 0x1234);
    EXPECT_EQ(Item(1, 5).ReadRaw(live), 0x12);
    EXPECT_EQ(Item(2, 4).ReadRaw(live), 0x1234) << "pressure items read their own word";
    EXPECT_EQ(Item(3, 4).ReadRaw(live), 0x1234);
    EXPECT_FALSE(Item(0, 5).ReadRaw(live)) << "its second byte never arrived";
    EXPECT_FALSE(Item(1, 6).ReadRaw(live));
    EXPECT_FALSE(Item(0, 0).ReadRaw({}));
}

TEST(MonItemConversion, GenericItemsScaleAndShift)
{
    EXPECT_EQ(Shown(Item(0, 4, 0.5, 1.0), 4660), "2331");
    EXPECT_EQ(Item(0, 4, 0.5, 1.0).Convert(4660).unit, nullptr);
}

TEST(MonItemConversion, RawPressureSwitchesUnitAt0x8000)
{
    const MonItem item = Item(2, 0);
    EXPECT_EQ(Shown(item, 76), " 760");
    EXPECT_STREQ(item.Convert(76).unit, "mmHg");
    EXPECT_EQ(Shown(item, 32868), "328.682");
    EXPECT_STREQ(item.Convert(32868).unit, "kgf/cm²");
    EXPECT_STREQ(item.Convert(32767).unit, "mmHg");
}

TEST(MonItemConversion, AbsolutePressureSwitchesUnitAt10197)
{
    const MonItem item = Item(3, 0);
    EXPECT_EQ(Shown(item, 10332), "   0");
    EXPECT_STREQ(item.Convert(10332).unit, "kgf/cm²");
    EXPECT_EQ(Shown(item, 10197), "-0.0135");
    EXPECT_STREQ(item.Convert(10197).unit, "kgf/cm²");
    EXPECT_EQ(Shown(item, 10196), "-10.0096");
    EXPECT_STREQ(item.Convert(10196).unit, "mmHg");
}

TEST(MonitorFormats, AcceptExactlyOneFloatingConversion)
{
    for (const char* good : {"%4.2f", "%g", "%-+ #08.3e", "%5.0f rpm", "100%% %G", "%a", "%12.12f"}) {
        EXPECT_TRUE(IsSafeMonitorFormat(good)) << good;
    }
    for (const char* bad : {"", "%s%n", "%d", "%n", "%f%f", "%*f", "%.*f", "%Lf", "%lf", "%123f", "%.100f", "text", "%", "%4.2"}) {
        EXPECT_FALSE(IsSafeMonitorFormat(bad)) << bad;
    }
}

TEST(MonitorFormats, RefusedFormatsFallBackToTheDefault)
{
    EXPECT_EQ(FormatMonitorValue("%s%n", 760.0), " 760");
    EXPECT_EQ(FormatMonitorValue("", 3.5), " 3.5");
    EXPECT_EQ(FormatMonitorValue("%4.2f", 3.14159), "3.14");
    EXPECT_EQ(FormatMonitorValue("%5.0f%%", 42.0), "   42%");
    EXPECT_EQ(FormatMonitorValue(std::string("%f\0%n", 5), 1.0), "   1") << "an embedded zero byte is refused";
}

TEST(ProfileNumbers, ReadTheLeadingDecimalNumber)
{
    EXPECT_EQ(ParseProfileNumber("abc"), 0.0);
    EXPECT_EQ(ParseProfileNumber("1.5e1"), 15.0);
    EXPECT_EQ(ParseProfileNumber("  -0.25kg"), -0.25);
    EXPECT_EQ(ParseProfileNumber("+2"), 2.0);
    EXPECT_EQ(ParseProfileNumber(""), 0.0);
    EXPECT_EQ(ParseProfileNumber("+-3"), 0.0);
}
