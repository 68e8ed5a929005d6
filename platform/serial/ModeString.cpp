#include "platform/serial/SerialDevice.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string_view>

namespace serial {
namespace {

constexpr uint8_t kMinDataBits = 5;
constexpr uint8_t kMaxDataBits = 8;
constexpr uint8_t kOneStopBit = 1;
constexpr uint8_t kTwoStopBits = 2;
constexpr std::string_view kParityLetters = "neoms";
constexpr std::string_view kBlanks = " \t";

std::string Lower(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// Whole value must be decimal digits; no sign, no trailing text.
bool ParseUnsigned(std::string_view text, uint32_t& value)
{
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc{} && end == text.data() + text.size();
}

bool ApplyField(std::string_view key, std::string_view value, LineSettings& settings)
{
    uint32_t number = 0;
    if (key == "baud") {
        if (!ParseUnsigned(value, number) || number == 0) {
            return false;
        }
        settings.baudRate = number;
        return true;
    }
    if (key == "parity") {
        if (value.size() != 1 || kParityLetters.find(value.front()) == std::string_view::npos) {
            return false;
        }
        settings.parity = value.front();
        return true;
    }
    if (key == "data") {
        if (!ParseUnsigned(value, number) || number < kMinDataBits || number > kMaxDataBits) {
            return false;
        }
        settings.dataBits = static_cast<uint8_t>(number);
        return true;
    }
    if (key == "stop") {
        if (!ParseUnsigned(value, number) || (number != kOneStopBit && number != kTwoStopBits)) {
            return false;
        }
        settings.stopBits = static_cast<uint8_t>(number);
        return true;
    }
    return false;
}

} // namespace

bool ParseModeString(const std::string& mode, LineSettings& out)
{
    // Values are lower-cased too: "parity=E" means the same as "parity=e".
    const std::string text = Lower(mode);
    // Work on a copy so a rejected string leaves the caller's settings untouched.
    LineSettings parsed = out;
    std::string_view rest = text;
    while (true) {
        const auto start = rest.find_first_not_of(kBlanks);
        if (start == std::string_view::npos) {
            break;
        }
        rest.remove_prefix(start);
        const auto length = std::min(rest.find_first_of(kBlanks), rest.size());
        const std::string_view field = rest.substr(0, length);
        rest.remove_prefix(length);

        const auto equals = field.find('=');
        if (equals == std::string_view::npos || !ApplyField(field.substr(0, equals), field.substr(equals + 1), parsed)) {
            return false;
        }
    }
    out = parsed;
    return true;
}

} // namespace serial
