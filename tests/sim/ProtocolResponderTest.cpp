#include "sim/FrameCodec.h"
#include "sim/ProtocolResponder.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

namespace sim {
namespace {

using namespace std::chrono_literals;

class ProtocolResponderTest : public ::testing::Test {
protected:
    // The reply frame, checked for shape; empty when there is none.
    std::vector<uint8_t> Ask(uint8_t command)
    {
        const auto reply = responder.Respond({command, {}}, 2s);
        if (!reply) {
            return {};
        }
        EXPECT_EQ(reply->front(), command);
        EXPECT_EQ(reply->size(), size_t{(*reply)[1]} + 1);
        EXPECT_TRUE(FrameCodec::SumsCorrectly(*reply));
        return *reply;
    }
    std::vector<uint8_t> Data(uint8_t command)
    {
        const auto reply = Ask(command);
        return reply.empty() ? reply : std::vector<uint8_t>(reply.begin() + 2, reply.end() - 1);
    }
    static std::vector<uint8_t> Text(const std::string& text) { return {text.begin(), text.end()}; }

    ProtocolResponder responder;
};

TEST_F(ProtocolResponderTest, IdentifiesWithEightCharacterCodeAndFiveCharacterVersion)
{
    responder.Config().engineCode = "ABCDEFGH";
    responder.Config().firmwareVersion = "1.2";
    EXPECT_EQ(Data(0xF3), Text("ABCDEFGH"));
    EXPECT_EQ(Data(0xF5), Text("1.2  "));
}

TEST_F(ProtocolResponderTest, PasswordFieldIsEightBlanksUntilLocked)
{
    EXPECT_EQ(Data(0xAD), Text("        "));
    responder.Config().password = std::string("\0secret", 7);
    EXPECT_EQ(Data(0xAD), Text(std::string("\0secret ", 8)));
}

TEST_F(ProtocolResponderTest, LiveBlockHasLengthByte32UnlessExtended)
{
    EXPECT_EQ(Ask(0xF0)[1], 32);
    EXPECT_EQ(Data(0xF0).size(), 30u);
    responder.Config().liveLength = ResponderConfig::kExtendedLiveLength;
    EXPECT_EQ(Data(0xF0).size(), 42u);
    responder.Config().liveLength = 255;
    EXPECT_EQ(Data(0xF0).size(), 253u);
}

TEST_F(ProtocolResponderTest, LiveBlockFollowsTheEngineAtTheRequestTime)
{
    const auto early = responder.Respond({0xF0, {}}, 1s);
    const auto late = responder.Respond({0xF0, {}}, 5s);
    ASSERT_TRUE(early && late);
    EXPECT_NE(*early, *late);
    const auto expected = EngineModel().LiveData(5s, 30);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), late->begin() + 2));
}

TEST_F(ProtocolResponderTest, AxesAre80Bytes)
{
    EXPECT_THAT(Data(0x8A), ElementsAreArray(AxisTable().ReplyData()));
}

TEST_F(ProtocolResponderTest, ByteMapIsServedByFourCommandsFromItsBase)
{
    const AxisTable axes;
    const MapTable expected(MapShape::FuelCorrection, axes);
    for (size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(Data(static_cast<uint8_t>(ResponderConfig::kSecondByteMap + k)), expected.BytePart(k)) << k;
    }
}

TEST_F(ProtocolResponderTest, WordMapIsServedByEightCommandsFromItsBase)
{
    const MapTable expected(MapShape::InjectorTime, AxisTable());
    for (size_t k = 0; k < 8; ++k) {
        EXPECT_EQ(Data(static_cast<uint8_t>(ResponderConfig::kWordMap + k)), expected.WordPart(k)) << k;
    }
    EXPECT_TRUE(Ask(ResponderConfig::kWordMap + 8).empty());
}

TEST_F(ProtocolResponderTest, MapBasesAreConfigurable)
{
    responder.Config().byteMaps = {{0x10, MapShape::IgnitionLeading}};
    responder.Config().wordMaps = {{0xFC, MapShape::InjectorTime}};
    EXPECT_EQ(Data(0x13).size(), 100u);
    EXPECT_TRUE(Ask(0x14).empty());
    EXPECT_TRUE(Ask(ResponderConfig::kFirstByteMap).empty());
    // A run of commands may wrap past 0xFF.
    EXPECT_EQ(Data(0x03).size(), 100u);
    EXPECT_TRUE(Ask(0x04).empty());
}

TEST_F(ProtocolResponderTest, UnknownCommandGetsNoReply)
{
    for (uint8_t command : {0x00, 0x3F, 0x4C, 0x8B, 0xF1, 0xFF}) {
        EXPECT_TRUE(Ask(command).empty()) << int{command};
    }
}

} // namespace
} // namespace sim
