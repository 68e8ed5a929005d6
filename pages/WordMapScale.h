#pragma once

#include "pages/MapEditText.h"

#include <cstdint>
#include <optional>
#include <string>

// The units of the word map, milliseconds: from raw cell values to text and from typed
// numbers back.
class WordMapScale {
public:
    static constexpr int kUpperValueLimit = 65535;
    static constexpr const char* kName = "milliseconds";

    static std::string CellText(uint16_t raw);
    static std::string SelectionText(uint16_t raw);
    // The stored value shown again.
    static MapShown Redisplay(uint16_t raw);
    // A typed number: what to store and show, or nothing when it is out of range.
    static std::optional<MapAccepted> Accept(double x);
};
