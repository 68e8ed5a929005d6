#include "sim/ProtocolResponder.h"
#include "sim/FrameCodec.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

using namespace sim;
using namespace std::chrono_literals;

namespace {

using Bytes = std::vector<uint8_t>;

uint16_t Word(const Bytes& bytes, size_t at)
{
    return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

Bytes Text(const std::string& text)
{
    return {text.begin(), text.end()};
}

class ProtocolResponderTest : public ::testing::Test {
protected:
    // The data of the reply, which must be a well-formed frame; empty when there is no reply.
    Bytes Data(uint8_t command)
    {
        const Bytes reply = responder.Respond({command, {}}, 2s).value_or(Bytes{});
        if (reply.size() < 3) return reply;
        Bytes data(reply.begin() + 2, reply.end() - 1);
        EXPECT_EQ(reply, FrameCodec::Build(command, data));
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
    EXPECT_EQ(Data(0xF3), Text("ABCDEFGH"));
    EXPECT_EQ(Data(0xF5), Text("1.2  "));
    EXPECT_EQ(Data(0xAD), Text(std::string("\0secret ", 8)));
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
        EXPECT_EQ(Word(data, 2 * i), axes.Row(i)) << i;
        EXPECT_EQ(Word(data, 40 + 2 * i), axes.Column(i)) << i;
        EXPECT_TRUE(i == 0 || (axes.Row(i) > axes.Row(i - 1) && axes.Column(i) > axes.Column(i - 1))) << i;
    }
}

// Reply k holds columns 5k to 5k + 4, each top row first.
TEST_F(ProtocolResponderTest, ByteMapByte20JPlusBOfReplyKIsRowBOfColumn5KPlusJ)
{
    const MapTable map(MapShape::FuelCorrection, axes);
    for (size_t k = 0; k < MapTable::kByteMapParts; ++k) {
        const Bytes part = Data(static_cast<uint8_t>(ResponderConfig::kSecondByteMap + k));
        ASSERT_EQ(part.size(), MapTable::kPartBytes);
        for (size_t j = 0; j < 5; ++j) {
            for (size_t b = 0; b < MapTable::kRows; ++b) EXPECT_EQ(part[20 * j + b], map.At(b, 5 * k + j)) << k << ' ' << j << ' ' << b;
        }
    }
}

TEST_F(ProtocolResponderTest, WordMapRunsColumnByColumnAcrossEightReplies)
{
    const MapTable map(MapShape::InjectorTime, axes);
    Bytes all;
    for (size_t k = 0; k < MapTable::kWordMapParts; ++k) {
        const Bytes part = Data(static_cast<uint8_t>(ResponderConfig::kWordMap + k));
        ASSERT_EQ(part.size(), MapTable::kPartBytes);
        all.insert(all.end(), part.begin(), part.end());
    }
    for (size_t n = 0; n < 400; ++n) EXPECT_EQ(Word(all, 2 * n), map.At(n % 20, n / 20)) << n;
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
        EXPECT_TRUE(Data(static_cast<uint8_t>(command)).empty()) << command;
}

// Two laps of the drive, polled ten times a second.
class EngineDrive : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (Instant t{}; t < 24s; t += 100ms) polls.push_back({t, engine.Sample(t)});
    }

    const EngineModel engine{};
    const AxisTable axes;
    std::vector<std::pair<Instant, EngineState>> polls;
};

// On the map, smooth from poll to poll, and across most of its cells; one bad poll tells enough.
TEST_F(EngineDrive, CrossesMostOfTheMapInSmallSteps)
{
    constexpr size_t kLast = AxisTable::kPoints - 1;
    std::set<size_t> columns;
    std::set<size_t> rows;
    for (size_t i = 0; i < polls.size() && !HasFailure(); ++i) {
        const auto& [t, s] = polls[i];
        const EngineState& before = polls[i == 0 ? 0 : i - 1].second;
        EXPECT_TRUE(s.engineSpeed >= axes.Column(0) && s.engineSpeed <= axes.Column(kLast)) << s.engineSpeed << " at " << t.count();
        EXPECT_TRUE(s.intakePressure > 0 && s.intakePressure <= axes.Row(kLast)) << s.intakePressure << " at " << t.count();
        EXPECT_LT(std::abs(s.engineSpeed - before.engineSpeed), 400) << t.count();
        EXPECT_LT(std::abs(s.intakePressure - before.intakePressure), 1500) << t.count();
        size_t column = 0;
        size_t row = 0;
        for (size_t p = 1; p < AxisTable::kPoints; ++p) {
            column += s.engineSpeed >= axes.Column(p);
            row += s.intakePressure >= axes.Row(p);
        }
        columns.insert(column);
        rows.insert(row);
    }
    EXPECT_GE(columns.size(), 12u);
    EXPECT_GE(rows.size(), 12u);
}

TEST_F(EngineDrive, ShowsInTheLiveBlockWhereThePagesLookForIt)
{
    for (const auto& [t, s] : polls) {
        const auto block = engine.LiveData(t, ResponderConfig::kStandardLiveLength - 2);
        EXPECT_NEAR(Word(block, EngineModel::kEngineSpeed), s.engineSpeed, 0.5) << t.count();
        EXPECT_NEAR(Word(block, EngineModel::kIntakePressure), s.intakePressure, 0.5) << t.count();
        if (HasFailure()) break;
    }
}

// Neighbours differ little and each map spans enough of its range for a colour scale to show a
// shape. Byte maps fit a byte; injector times stay under 20 ms.
TEST(MapTable, EveryShapeIsSmoothSpreadOutAndInItsRange)
{
    const AxisTable axes;
    for (MapShape shape : {MapShape::IgnitionLeading, MapShape::IgnitionTrailing, MapShape::FuelCorrection, MapShape::InjectorTime}) {
        const MapTable map(shape, axes);
        int lowest = 65535;
        int highest = 0;
        int biggestStep = 0;
        for (size_t r = 0; r < MapTable::kRows; ++r) {
            for (size_t c = 0; c < MapTable::kColumns; ++c) {
                lowest = std::min<int>(lowest, map.At(r, c));
                highest = std::max<int>(highest, map.At(r, c));
                biggestStep = std::max({biggestStep, r > 0 ? std::abs(map.At(r, c) - map.At(r - 1, c)) : 0,
                    c > 0 ? std::abs(map.At(r, c) - map.At(r, c - 1)) : 0});
            }
        }
        SCOPED_TRACE(static_cast<int>(shape));
        EXPECT_GE(highest - lowest, 20);
        EXPECT_LE(biggestStep * 4, highest - lowest);
        EXPECT_LE(highest, shape == MapShape::InjectorTime ? 5000 : 255);
    }
}

} // namespace
