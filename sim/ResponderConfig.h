#pragma once

#include "sim/MapTable.h"

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

// A map the controller serves from `base` on: four commands for a byte map, eight for a word map.
struct MapSpec {
    uint8_t base = 0;
    MapShape shape = MapShape::IgnitionLeading;
};

// What the simulated controller says about itself; the defaults are the ones the example
// profiles are written against.
struct ResponderConfig {
    static constexpr uint8_t kStandardLiveLength = 32;
    static constexpr uint8_t kExtendedLiveLength = 44;
    static constexpr uint8_t kFirstByteMap = 0x40;
    static constexpr uint8_t kSecondByteMap = 0x44;
    static constexpr uint8_t kThirdByteMap = 0x48;
    static constexpr uint8_t kWordMap = 0x50;

    std::string engineCode = "VLM20DET";
    std::string firmwareVersion = "2.10A";
    uint8_t liveLength = kStandardLiveLength; // the reply's length byte, data bytes + 2
    std::string password = "        ";        // eight blanks: not locked
    std::vector<MapSpec> byteMaps = {{kFirstByteMap, MapShape::IgnitionLeading}, {kSecondByteMap, MapShape::FuelCorrection},
        {kThirdByteMap, MapShape::IgnitionTrailing}};
    std::vector<MapSpec> wordMaps = {{kWordMap, MapShape::InjectorTime}};
};

} // namespace sim
