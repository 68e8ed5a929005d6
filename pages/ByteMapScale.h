#pragma once

#include "pages/MapEditText.h"

#include <cstdint>
#include <optional>
#include <string>

// The units of a byte map: angles in degrees (Types 0 and 5) or corrections in percent
// (Type 3), from raw cell values to text and from typed numbers back.
class ByteMapScale {
public:
    static constexpr int kUpperValueLimit = 255;

    explicit ByteMapScale(int type)
        : m_type(type)
    { }

    // What the raw values count in: "degrees" or "percent".
    const char* Name() const;
    std::string CellText(uint16_t raw) const;
    std::string SelectionText(uint16_t raw) const;
    // The stored value shown again.
    MapShown Redisplay(uint16_t raw) const;
    // A typed number: what to store and show, or nothing when it is out of range.
    std::optional<MapAccepted> Accept(double x) const;

private:
    bool IsPercent() const;

    int m_type;
};
