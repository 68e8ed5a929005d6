#include "sim/EngineModel.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <numbers>

namespace sim {

namespace {

// The driver's rhythm: a lap-long swell with a quicker ripple of lifts and squeezes.
constexpr double kLapSeconds = 12.0;
constexpr double kRippleSeconds = 5.3;
constexpr double kRipplePhase = 1.3;
constexpr double kEngineLagSeconds = 0.6;

constexpr double kIdleSpeed = 850;
constexpr double kSpeedSpan = 6300;
constexpr double kBoostOnsetSpeed = 2500;
constexpr double kBoostFullSpeed = 5000;
constexpr double kClosedThrottlePressure = 2800;
constexpr double kAtmosphere = 10332;
constexpr double kThrottlePressureSpan = kAtmosphere - kClosedThrottlePressure - 32;
constexpr double kBoostSpan = 11000;
constexpr double kMaxPressure = kClosedThrottlePressure + kThrottlePressureSpan + kBoostSpan;
constexpr double kRedline = 7200;

constexpr double kInjectorUnitMs = 0.004;
constexpr double kAngleOffset = 25;
constexpr double kTemperatureOffset = 40;
constexpr double kMsPerTwoRevolutions = 120000;

double Seconds(Instant since)
{
    return std::chrono::duration<double>(since).count();
}

double Clamp01(double x)
{
    return std::clamp(x, 0.0, 1.0);
}

double Wave(double t, double period, double phase = 0)
{
    return std::sin(2 * std::numbers::pi * t / period + phase);
}

double Drive(double t)
{
    return Clamp01(0.5 + 0.4 * Wave(t, kLapSeconds) + 0.12 * Wave(t, kRippleSeconds, kRipplePhase));
}

// Warm-up from cold towards a running temperature.
double WarmUp(double t, double from, double to, double seconds)
{
    return to - (to - from) * std::exp(-t / seconds);
}

uint8_t ToByte(double value)
{
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

void PutWord(std::vector<uint8_t>& block, size_t at, double value)
{
    const auto word = static_cast<uint16_t>(std::clamp(std::lround(value), 0L, 65535L));
    block[at] = static_cast<uint8_t>(word & 0xFF);
    block[at + 1] = static_cast<uint8_t>(word >> 8);
}

} // namespace

EngineState EngineModel::Sample(Instant since) const
{
    const double t = Seconds(since);
    EngineState state;
    state.throttle = Drive(t);
    state.engineSpeed = kIdleSpeed + kSpeedSpan * Drive(t - kEngineLagSeconds);
    const double boostReady = Clamp01((state.engineSpeed - kBoostOnsetSpeed) / (kBoostFullSpeed - kBoostOnsetSpeed));
    state.intakePressure
        = kClosedThrottlePressure + kThrottlePressureSpan * state.throttle + kBoostSpan * state.throttle * state.throttle * boostReady;
    state.coolantC = WarmUp(t, 20, 82, 150) + 1.5 * Wave(t, 120);
    state.intakeAirC = 26 + 10 * Drive(t - 5) + 2 * Wave(t, 60);
    state.vehicleSpeed = 40 + 80 * Clamp01(0.5 + 0.45 * Wave(t, 40) + 0.05 * Wave(t, kLapSeconds));
    return state;
}

std::vector<uint8_t> EngineModel::LiveData(Instant since, size_t count) const
{
    const double t = Seconds(since);
    const EngineState s = Sample(since);
    const double load = Clamp01((s.intakePressure - kClosedThrottlePressure) / (kMaxPressure - kClosedThrottlePressure));
    const double revs = Clamp01(s.engineSpeed / kRedline);
    const bool boosting = s.intakePressure > kAtmosphere;
    const bool idling = s.throttle < 0.05;
    const bool closedLoop = !boosting && !idling;

    const double volumetric = 0.8 + 0.2 * std::sin(std::numbers::pi * revs);
    const double injectorMs = 0.9 + 12 * (s.intakePressure / kMaxPressure) * volumetric;
    const double primaryDuty = 100 * injectorMs / (kMsPerTwoRevolutions / s.engineSpeed);
    const double leading = 10 + 22 * Clamp01((s.engineSpeed - 400) / 4000) - 18 * load;

    const size_t size = std::max<size_t>(count, kAuxiliary);
    std::vector<uint8_t> block(size);
    PutWord(block, kEngineSpeed, s.engineSpeed);
    PutWord(block, kIntakePressure, s.intakePressure);
    PutWord(block, kInjectorPulse, injectorMs / kInjectorUnitMs);
    PutWord(block, kAirflowVoltage, 900 + 3600 * load * std::sqrt(revs));
    block[kThrottle] = ToByte(100 * s.throttle);
    block[kIgnitionLeading] = ToByte(leading + kAngleOffset);
    block[kKnockLevel] = ToByte(2 + 25 * load * load + 3 * (0.5 + 0.5 * Wave(t, 0.7)));
    block[kCoolant] = ToByte(s.coolantC + kTemperatureOffset);
    block[kIntakeAir] = ToByte(s.intakeAirC + kTemperatureOffset);
    block[kBatteryVoltage] = ToByte(138 + 2 * Wave(t, 5));
    block[kVehicleSpeed] = ToByte(s.vehicleSpeed);
    block[kOxygenSensor] = ToByte(closedLoop ? 25 + 20 * Wave(t, 0.9) : (boosting ? 45 : 5));
    block[kBoostDuty] = ToByte(boosting ? 30 + 40 * load : 0);
    block[kIdleDuty] = ToByte(35 + 10 * (1 - s.throttle) + 3 * Wave(t, 7));
    block[kGear] = ToByte(std::clamp(1.0 + std::floor(s.vehicleSpeed / 28), 1.0, 5.0));
    block[kFuelTemperature] = ToByte(WarmUp(t, 22, 34, 600) + Wave(t, 90) + kTemperatureOffset);
    block[kFuelCorrection] = ToByte(128 + 10 * Wave(t, 5.3) + 12 * load);
    block[kOilTemperature] = ToByte(WarmUp(t, 20, 95, 240) + 3 * load + kTemperatureOffset);
    PutWord(block, kExhaustTemperature, 350 + 500 * load + 100 * revs);
    block[kPrimaryDuty] = ToByte(std::min(primaryDuty, 100.0));
    block[kSecondaryDuty] = ToByte(boosting ? std::min(0.6 * primaryDuty, 100.0) : 0);
    block[kIgnitionTrailing] = ToByte(std::max(leading - 8, -kAngleOffset) + kAngleOffset);
    block[kOilPressure] = ToByte(15 + 40 * revs);
    block[kStatusFlags] = static_cast<uint8_t>((idling ? kIdleFlag : 0) | (boosting ? kBoostFlag : 0) | (closedLoop ? kClosedLoopFlag : 0));
    block[kHeartbeat] = static_cast<uint8_t>(static_cast<long>(t) & 0xFF);
    PutWord(block, kRunTime, std::fmod(std::floor(t), 65536));
    for (size_t i = kAuxiliary; i < size; ++i) {
        const double channel = static_cast<double>(i - kAuxiliary);
        block[i] = ToByte(128 + 100 * Wave(t, 6 + channel, channel));
    }
    block.resize(count);
    return block;
}

} // namespace sim
