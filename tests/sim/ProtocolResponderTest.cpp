#include "sim/ProtocolResponder.h"
#include "sim/FrameCodec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace sim;
using namespace std::chrono_literals;
using Bytes = std::vector<uint8_t>;

namespace {

uint16_t Word(const Bytes& bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

class ProtocolResponderTest : public ::testing::Test {
protected:
    // The data of the reply, which must be a well-formed frame; empty when there is no reply.
    Bytes Data(int command)
    {
        const Bytes reply = responder.Respond({static_cast<uint8_t>(command), {}}, 2s).value_or(Bytes{});
        if (reply.size() < 3) return reply;
        const Bytes data(reply.begin() + 2, reply.end() - 1);
        EXPECT_EQ(reply, FrameCodec::Build(static_cast<uint8_t>(command), data));
        return data;
    }

    ProtocolResponder responder;
    const AxisTable axes;
};

TEST_F(ProtocolResponderTest, CodeVersionAndPasswordArePaddedToEightFiveAndEightCharacters)
{
    responder.Config().engineCode = "ABCDEFGH";
    responder.Config().firmwareVersion = "1.2";
    responder.Config().password = std::string("\0secret", 7);
    const std::pair<int, std::string> cases[] = {{0xF3, "ABCDEFGH"}, {0xF5, "1.2  "}, {0xAD, std::string("\0secret ", 8)}};
    for (const auto& [command, text] : cases) EXPECT_EQ(Data(command), Bytes(text.begin(), text.end())) << command;
}

// Length bytes 32 (unless configured), 44 and the longest, 255.
TEST_F(ProtocolResponderTest, LiveBlockIsTheEngineAtTheRequestTimeInTheConfiguredLength)
{
    EXPECT_EQ(Data(0xF0), EngineModel().LiveData(2s, 30));
    EXPECT_NE(Data(0xF0), EngineModel().LiveData(5s, 30));
    for (const auto& [length, size] : {std::pair{ResponderConfig::kExtendedLiveLength, 42}, {255, 253}}) {
        responder.Config().liveLength = length;
        EXPECT_EQ(Data(0xF0), EngineModel().LiveData(2s, size)) << int{length};
    }
}

TEST_F(ProtocolResponderTest, AxesAreRisingRowWordsThenRisingColumnWords)
{
    const Bytes data = Data(0x8A);
    ASSERT_EQ(data.size(), 80u);
    for (size_t i = 0; i < AxisTable::kPoints; ++i) {
        EXPECT_EQ(std::pair(Word(data, 2 * i), Word(data, 40 + 2 * i)), std::pair(axes.Row(i), axes.Column(i))) << i;
        EXPECT_TRUE(i == 0 || (axes.Row(i) > axes.Row(i - 1) && axes.Column(i) > axes.Column(i - 1))) << i;
    }
}

// Reply k of a byte map holds columns 5k to 5k + 4, each top row first; a word map runs column
// by column across eight replies.
TEST_F(ProtocolResponderTest, MapsComeInPartsColumnByColumn)
{
    for (const auto& [base, shape, parts, wide] : {std::tuple{ResponderConfig::kSecondByteMap, MapShape::FuelCorrection, 4, false},
             {ResponderConfig::kWordMap, MapShape::InjectorTime, 8, true}}) {
        const MapTable map(shape, axes);
        Bytes all;
        for (int k = 0; k < parts; ++k) {
            const Bytes part = Data(base + k);
            ASSERT_EQ(part.size(), MapTable::kPartBytes);
            all.insert(all.end(), part.begin(), part.end());
        }
        for (size_t n = 0; n < 400; ++n) EXPECT_EQ(wide ? Word(all, 2 * n) : all[n], map.At(n % 20, n / 20)) << n;
    }
}

TEST_F(ProtocolResponderTest, MapBasesAreConfigurableAndByteMapsCapValuesAt255)
{
    responder.Config().byteMaps = {{0x10, MapShape::InjectorTime}};
    EXPECT_EQ(Data(0x13).at(99), std::min<uint16_t>(MapTable(MapShape::InjectorTime, axes).At(19, 19), 255));
    EXPECT_TRUE(Data(0x14).empty());
    EXPECT_TRUE(Data(ResponderConfig::kFirstByteMap).empty());
}

// A ninth word map part is unknown too.
TEST_F(ProtocolResponderTest, UnknownCommandGetsNoReply)
{
    for (int command : {0x00, 0x3F, 0x4C, 0x8B, 0xF1, 0xFF, ResponderConfig::kWordMap + 8})
        EXPECT_TRUE(Data(command).empty()) << command;
}

// Two laps of the drive, polled ten times a second: on the map, smooth from poll to poll, across
// most of its cells, and in the live block where the pages look for it. One bad poll tells enough.
TEST(EngineDrive, CrossesMostOfTheMapInSmallStepsAndShowsInTheLiveBlock)
{
    const EngineModel engine{};
    const AxisTable axes;
    constexpr size_t kLast = AxisTable::kPoints - 1;
    std::set<size_t> columns, rows;
    EngineState before = engine.Sample({});
    for (Instant t{}; t < 24s && !::testing::Test::HasFailure(); t += 100ms) {
        SCOPED_TRACE(t.count());
        const EngineState s = engine.Sample(t);
        EXPECT_TRUE(s.engineSpeed >= axes.Column(0) && s.engineSpeed <= axes.Column(kLast)) << s.engineSpeed;
        EXPECT_TRUE(s.intakePressure > 0 && s.intakePressure <= axes.Row(kLast)) << s.intakePressure;
        EXPECT_LT(std::abs(s.engineSpeed - before.engineSpeed), 400);
        EXPECT_LT(std::abs(s.intakePressure - before.intakePressure), 1500);
        const auto block = engine.LiveData(t, ResponderConfig::kStandardLiveLength - 2);
        EXPECT_NEAR(Word(block, EngineModel::kEngineSpeed), s.engineSpeed, 0.5);
        EXPECT_NEAR(Word(block, EngineModel::kIntakePressure), s.intakePressure, 0.5);
        size_t column = 0, row = 0;
        for (size_t p = 1; p < AxisTable::kPoints; ++p) {
            column += s.engineSpeed >= axes.Column(p);
            row += s.intakePressure >= axes.Row(p);
        }
        columns.insert(column);
        rows.insert(row);
        before = s;
    }
    EXPECT_GE(columns.size(), 12u);
    EXPECT_GE(rows.size(), 12u);
}

// Neighbours differ little and each map spans enough of its range for a colour scale to show a
// shape. Byte maps fit a byte; injector times stay under 20 ms.
TEST(MapTable, EveryShapeIsSmoothSpreadOutAndInItsRange)
{
    for (MapShape shape : {MapShape::IgnitionLeading, MapShape::IgnitionTrailing, MapShape::FuelCorrection, MapShape::InjectorTime}) {
        SCOPED_TRACE(static_cast<int>(shape));
        const MapTable map(shape, AxisTable());
        int lowest = 65535, highest = 0, biggestStep = 0;
        for (size_t r = 0; r < MapTable::kRows; ++r) {
            for (size_t c = 0; c < MapTable::kColumns; ++c) {
                lowest = std::min<int>(lowest, map.At(r, c));
                highest = std::max<int>(highest, map.At(r, c));
                biggestStep = std::max({biggestStep, r > 0 ? std::abs(map.At(r, c) - map.At(r - 1, c)) : 0,
                    c > 0 ? std::abs(map.At(r, c) - map.At(r, c - 1)) : 0});
            }
        }
        EXPECT_GE(highest - lowest, 20);
        EXPECT_LE(biggestStep * 4, highest - lowest);
        EXPECT_LE(highest, shape == MapShape::InjectorTime ? 5000 : 255);
    }
}

} // namespace
