#include "sim/ProtocolResponder.h"

#include "sim/FrameCodec.h"

namespace sim {

namespace {

constexpr char kBlank = ' ';

std::vector<uint8_t> FixedText(const std::string& text, size_t size)
{
    std::vector<uint8_t> bytes(text.begin(), text.begin() + static_cast<long>(std::min(text.size(), size)));
    bytes.resize(size, kBlank);
    return bytes;
}

// Offset of `command` within the run of `parts` commands from `base`, if it lies there.
std::optional<size_t> PartOf(uint8_t command, uint8_t base, size_t parts)
{
    const size_t offset = static_cast<uint8_t>(command - base);
    return offset < parts ? std::optional<size_t>(offset) : std::nullopt;
}

} // namespace

std::optional<std::vector<uint8_t>> ProtocolResponder::Respond(const Frame& request, Instant now) const
{
    std::optional<std::vector<uint8_t>> data;
    switch (request.command) {
    case kEngineCode: data = FixedText(m_config.engineCode, kEngineCodeSize); break;
    case kFirmwareVersion: data = FixedText(m_config.firmwareVersion, kFirmwareVersionSize); break;
    case kPassword: data = FixedText(m_config.password, kPasswordSize); break;
    case kLiveData: {
        const size_t length = std::max<size_t>(m_config.liveLength, FrameCodec::kOverhead);
        data = m_engine.LiveData(now, length - FrameCodec::kOverhead);
        break;
    }
    case kAxes: data = m_axes.ReplyData(); break;
    default: data = MapData(request.command); break;
    }
    if (!data) {
        return std::nullopt;
    }
    return FrameCodec::Build(request.command, *data);
}

std::optional<std::vector<uint8_t>> ProtocolResponder::MapData(uint8_t command) const
{
    for (const MapSpec& map : m_config.byteMaps) {
        if (const auto part = PartOf(command, map.base, MapTable::kByteMapParts)) {
            return MapTable(map.shape, m_axes).BytePart(*part);
        }
    }
    for (const MapSpec& map : m_config.wordMaps) {
        if (const auto part = PartOf(command, map.base, MapTable::kWordMapParts)) {
            return MapTable(map.shape, m_axes).WordPart(*part);
        }
    }
    return std::nullopt;
}

} // namespace sim
