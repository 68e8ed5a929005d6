#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// One monitor item: where its raw value lies in the live data and how it becomes a value.
struct MonItem {
    static constexpr int kNoRaw = -1; // no reading gives it: the row shows no value yet

    double m_dCoefficient = 0.0;
    double m_dOffset = 0.0;
    int m_nAddress = 99;
    int m_nType = 99;
    int m_nLastRaw = kNoRaw;
    std::string m_strFormat;

    // Address within the live data's reach and a known type.
    bool IsValid() const;
    // The raw value in this poll's live data; none when its bytes were not all received.
    std::optional<int> ReadRaw(std::span<const uint8_t> live) const;

    struct Reading {
        double value = 0.0;
        const char* unit = nullptr; // the unit the row must show now; null keeps the profile's
    };
    Reading Convert(int raw) const;
};
