#include "sim/AxisTable.h"
#include "sim/EngineModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <set>

namespace sim {
namespace {

using namespace std::chrono_literals;

constexpr Duration kPollInterval = 100ms;
constexpr Duration kDrive = 120s;

uint16_t Word(const std::vector<uint8_t>& block, size_t at)
{
    return static_cast<uint16_t>(block[at] | block[at + 1] << 8);
}

class EngineModelTest : public ::testing::Test {
protected:
    EngineModel engine;
    AxisTable axes;
};

TEST_F(EngineModelTest, SpeedAndPressureStayInsideTheMapAxes)
{
    for (Instant t{}; t < kDrive; t += kPollInterval) {
        const EngineState s = engine.Sample(t);
        EXPECT_GE(s.engineSpeed, axes.Column(0));
        EXPECT_LE(s.engineSpeed, axes.Column(AxisTable::kPoints - 1));
        EXPECT_LE(s.intakePressure, axes.Row(AxisTable::kPoints - 1));
        EXPECT_GT(s.intakePressure, 0);
    }
}

TEST_F(EngineModelTest, SpeedAndPressureMoveSmoothlyBetweenPolls)
{
    EngineState before = engine.Sample(Instant{});
    for (Instant t = kPollInterval; t < kDrive; t += kPollInterval) {
        const EngineState now = engine.Sample(t);
        EXPECT_LT(std::abs(now.engineSpeed - before.engineSpeed), 400) << t.count();
        EXPECT_LT(std::abs(now.intakePressure - before.intakePressure), 1500) << t.count();
        before = now;
    }
}

// A trace over a minute should wander across most of the map, not sit in one cell.
TEST_F(EngineModelTest, ADriveVisitsMostColumnsAndRowsOfTheMap)
{
    std::set<size_t> columns;
    std::set<size_t> rows;
    for (Instant t{}; t < 60s; t += kPollInterval) {
        const EngineState s = engine.Sample(t);
        for (size_t i = 1; i < AxisTable::kPoints; ++i) {
            if (s.engineSpeed < axes.Column(i) && s.engineSpeed >= axes.Column(i - 1)) {
                columns.insert(i);
            }
            if (s.intakePressure < axes.Row(i) && s.intakePressure >= axes.Row(i - 1)) {
                rows.insert(i);
            }
        }
    }
    EXPECT_GE(columns.size(), 12u);
    EXPECT_GE(rows.size(), 12u);
}

TEST_F(EngineModelTest, LiveDataLeadsWithSpeedAndPressureAsLittleEndianWords)
{
    const Instant t = 7300ms;
    const auto block = engine.LiveData(t, 30);
    const EngineState s = engine.Sample(t);
    EXPECT_NEAR(Word(block, EngineModel::kEngineSpeed), s.engineSpeed, 0.5);
    EXPECT_NEAR(Word(block, EngineModel::kIntakePressure), s.intakePressure, 0.5);
}

// Slow counters need a few minutes before their high bytes move.
TEST_F(EngineModelTest, EveryLiveByteChangesDuringALongDrive)
{
    constexpr Duration kLongDrive = 300s;
    constexpr size_t kExtended = 42;
    const auto first = engine.LiveData(Instant{}, kExtended);
    std::vector<bool> changed(kExtended, false);
    for (Instant t = kPollInterval; t < kLongDrive; t += kPollInterval) {
        const auto block = engine.LiveData(t, kExtended);
        for (size_t i = 0; i < kExtended; ++i) {
            changed[i] = changed[i] || block[i] != first[i];
        }
    }
    for (size_t i = 0; i < kExtended; ++i) {
        EXPECT_TRUE(changed[i]) << "byte " << i;
    }
}

TEST_F(EngineModelTest, LiveDataHasTheAskedSizeAndDependsOnlyOnTime)
{
    EXPECT_EQ(engine.LiveData(3s, 5).size(), 5u);
    EXPECT_EQ(engine.LiveData(3s, 253).size(), 253u);
    EXPECT_EQ(EngineModel().LiveData(3s, 42), engine.LiveData(3s, 42));
    EXPECT_NE(engine.LiveData(3s, 30), engine.LiveData(4s, 30));
}

} // namespace
} // namespace sim
