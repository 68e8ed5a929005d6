#pragma once

#include "sim/AxisTable.h"
#include "sim/Clock.h"
#include "sim/EngineModel.h"
#include "sim/Frame.h"
#include "sim/ResponderConfig.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace sim {

// The controller's side of the protocol: one request in, one framed reply out, or none for a
// command it does not serve. Request data is ignored.
class ProtocolResponder {
public:
    static constexpr uint8_t kLiveData = 0xF0;
    static constexpr uint8_t kEngineCode = 0xF3;
    static constexpr uint8_t kFirmwareVersion = 0xF5;
    static constexpr uint8_t kPassword = 0xAD;
    static constexpr uint8_t kAxes = 0x8A;
    static constexpr size_t kEngineCodeSize = 8;
    static constexpr size_t kFirmwareVersionSize = 5;
    static constexpr size_t kPasswordSize = 8;

    explicit ProtocolResponder(ResponderConfig config = {})
        : m_config(std::move(config))
    { }

    // Changes take effect with the next request.
    ResponderConfig& Config() { return m_config; }

    // `now` is the engine's running time when the request arrives.
    std::optional<std::vector<uint8_t>> Respond(const Frame& request, Instant now) const;

private:
    std::optional<std::vector<uint8_t>> MapData(uint8_t command) const;

    ResponderConfig m_config;
    EngineModel m_engine;
    AxisTable m_axes;
};

} // namespace sim
