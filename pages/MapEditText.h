#pragma once

#include <cstdint>
#include <string>

// What an edit of a map cell leaves in the cell and in the read-out.
struct MapShown {
    std::string cell;
    std::string readOut;
};

// A typed value a map page takes: the raw value to store and what to show.
struct MapAccepted {
    uint16_t raw;
    MapShown shown;
};
