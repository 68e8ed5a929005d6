#pragma once

#include "sim/Clock.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace sim {

// What the engine is doing at one moment, in engineering units.
struct EngineState {
    double engineSpeed = 0;    // rpm
    double intakePressure = 0; // absolute, ten-thousandths of kgf/cm2 (10332 = one atmosphere)
    double throttle = 0;       // 0..1
    double coolantC = 0;
    double intakeAirC = 0;
    double vehicleSpeed = 0; // km/h
};

// A car driven round and round a circuit: engine speed follows the throttle a little late,
// intake pressure follows the throttle with boost once the engine speed allows it. Every value
// is a smooth function of the time since the engine started, so a run on a virtual clock
// always sees the same engine.
class EngineModel {
public:
    // Byte positions of the live data block (the data of the reply to 0xF0). Words are
    // little-endian; a temperature byte is degrees Celsius + 40; an angle byte is degrees + 25.
    static constexpr size_t kEngineSpeed = 0;     // word, rpm
    static constexpr size_t kIntakePressure = 2;  // word, like kEngineSpeed's partner axis
    static constexpr size_t kInjectorPulse = 4;   // word, units of 0.004 ms
    static constexpr size_t kAirflowVoltage = 6;  // word, mV
    static constexpr size_t kThrottle = 8;        // %
    static constexpr size_t kIgnitionLeading = 9; // angle
    static constexpr size_t kKnockLevel = 10;
    static constexpr size_t kCoolant = 11;        // temperature
    static constexpr size_t kIntakeAir = 12;      // temperature
    static constexpr size_t kBatteryVoltage = 13; // 0.1 V
    static constexpr size_t kVehicleSpeed = 14;   // km/h
    static constexpr size_t kOxygenSensor = 15;   // 20 mV
    static constexpr size_t kBoostDuty = 16;      // %
    static constexpr size_t kIdleDuty = 17;       // %
    static constexpr size_t kGear = 18;
    static constexpr size_t kFuelTemperature = 19;    // temperature
    static constexpr size_t kFuelCorrection = 20;     // raw * 100/256 + 50 = %
    static constexpr size_t kOilTemperature = 21;     // temperature
    static constexpr size_t kExhaustTemperature = 22; // word, degrees Celsius
    static constexpr size_t kPrimaryDuty = 24;        // %
    static constexpr size_t kSecondaryDuty = 25;      // %
    static constexpr size_t kIgnitionTrailing = 26;   // angle
    static constexpr size_t kOilPressure = 27;        // 0.1 kgf/cm2
    static constexpr size_t kStatusFlags = 28;        // bit 0 idle, bit 1 boost, bit 2 closed loop
    static constexpr size_t kHeartbeat = 29;          // counts seconds, wraps
    static constexpr size_t kRunTime = 30;            // word, seconds (extended block only)
    static constexpr size_t kAuxiliary = 32;          // auxiliary channels, one byte each, to the end

    static constexpr uint8_t kIdleFlag = 0x01;
    static constexpr uint8_t kBoostFlag = 0x02;
    static constexpr uint8_t kClosedLoopFlag = 0x04;

    EngineState Sample(Instant since) const;
    // The first `count` bytes of the live data block at that moment.
    std::vector<uint8_t> LiveData(Instant since, size_t count) const;
};

} // namespace sim
