#include "sim/ToolOptions.h"

#include <charconv>
#include <functional>
#include <map>
#include <string_view>

namespace sim {

namespace {

constexpr int kHex = 16;
constexpr int kDecimal = 10;

template <typename Number> bool ParseNumber(std::string_view text, Number& out, int base = kDecimal)
{
    const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), out, base);
    return failure == std::errc{} && end == text.data() + text.size();
}

bool ParseHexBytes(std::string_view text, std::vector<uint8_t>& out)
{
    if (text.empty() || text.size() % 2 != 0) {
        return false;
    }
    for (size_t i = 0; i < text.size(); i += 2) {
        uint8_t byte = 0;
        if (!ParseNumber(text.substr(i, 2), byte, kHex)) {
            return false;
        }
        out.push_back(byte);
    }
    return true;
}

bool ParseBases(std::string_view text, std::vector<MapSpec>& maps)
{
    const std::vector<MapSpec> shapes = maps;
    maps.clear();
    while (!text.empty()) {
        const size_t comma = text.find(',');
        MapSpec map;
        if (!ParseNumber(text.substr(0, comma), map.base, kHex)) {
            return false;
        }
        // The shapes of the default maps go along in order; further maps repeat the first.
        if (!shapes.empty()) {
            map.shape = maps.size() < shapes.size() ? shapes[maps.size()].shape : shapes.front().shape;
        }
        maps.push_back(map);
        text = comma == std::string_view::npos ? std::string_view{} : text.substr(comma + 1);
    }
    return !maps.empty();
}

bool ParsePause(std::string_view text, std::vector<Pause>& pauses)
{
    const size_t colon = text.find(':');
    size_t index = 0;
    long ms = 0;
    if (colon == std::string_view::npos || !ParseNumber(text.substr(0, colon), index) || !ParseNumber(text.substr(colon + 1), ms)
        || ms < 0) {
        return false;
    }
    pauses.push_back({index, std::chrono::milliseconds(ms)});
    return true;
}

} // namespace

std::optional<ToolOptions> ToolOptions::Parse(std::span<const char* const> args, std::string& error)
{
    ToolOptions options;
    ResponderConfig& config = options.config;
    FaultPlan& faults = options.faults;
    using ValueOption = std::function<bool(std::string_view)>;
    const std::map<std::string_view, ValueOption> withValue = {
        {"--engine-code",
            [&](std::string_view v) {
                config.engineCode = v;
                return true;
            }},
        {"--version",
            [&](std::string_view v) {
                config.firmwareVersion = v;
                return true;
            }},
        {"--password",
            [&](std::string_view v) {
                config.password = v;
                return true;
            }},
        {"--live-length", [&](std::string_view v) { return ParseNumber(v, config.liveLength); }},
        {"--byte-maps", [&](std::string_view v) { return ParseBases(v, config.byteMaps); }},
        {"--word-map",
            [&](std::string_view v) {
                config.wordMaps.resize(1);
                return ParseNumber(v, config.wordMaps.front().base, kHex);
            }},
        {"--log",
            [&](std::string_view v) {
                options.logPath = v;
                return !v.empty();
            }},
        {"--hang-up-at", [&](std::string_view v) { return ParseNumber(v, options.hangUpAt) && options.hangUpAt > 0; }},
        {"--wrong-length", [&](std::string_view v) { return ParseNumber(v, faults.lengthOffBy); }},
        {"--truncate", [&](std::string_view v) { return ParseNumber(v, faults.truncateBy); }},
        {"--stray", [&](std::string_view v) { return ParseHexBytes(v, faults.strayBytes); }},
        {"--pause", [&](std::string_view v) { return ParsePause(v, faults.pauses); }},
        {"--late",
            [&](std::string_view v) {
                long ms = 0;
                if (!ParseNumber(v, ms) || ms < 0) {
                    return false;
                }
                faults.lateBy = std::chrono::milliseconds(ms);
                return true;
            }},
    };
    const std::map<std::string_view, bool*> flags
        = {{"--silent", &faults.silent}, {"--bad-checksum", &faults.badChecksum}, {"--help", &options.help}};

    for (size_t i = 0; i < args.size(); ++i) {
        const std::string_view name = args[i];
        if (const auto flag = flags.find(name); flag != flags.end()) {
            *flag->second = true;
            continue;
        }
        const auto option = withValue.find(name);
        if (option == withValue.end()) {
            error = "unknown option " + std::string(name);
            return std::nullopt;
        }
        if (i + 1 == args.size()) {
            error = std::string(name) + " needs a value";
            return std::nullopt;
        }
        const std::string_view value = args[++i];
        if (!option->second(value)) {
            error = "bad value for " + std::string(name) + ": " + std::string(value);
            return std::nullopt;
        }
    }
    return options;
}

} // namespace sim
