#include "platform/profile/Cp932.h"

#include <array>
#include <cerrno>
#include <iconv.h>

namespace profile {

namespace {

constexpr const char* kUtf8Name = "UTF-8";
constexpr const char* kCp932Name = "CP932";
constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD"; // U+FFFD in UTF-8
constexpr std::size_t kOutputChunk = 256;
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);
constexpr std::size_t kIconvError = static_cast<std::size_t>(-1);
constexpr unsigned char kAsciiLimit = 0x80;

enum class OnBadInput { Replace, Fail };

// Runs one conversion from the initial shift state; a bad input byte is replaced or ends it.
std::optional<std::string> Convert(iconv_t converter, std::string_view input, OnBadInput onBadInput)
{
    std::string output;
    if (converter == kNoConverter) {
        // No code page support installed: keep what is plain ASCII and mark the rest.
        for (const char byte : input) {
            if (static_cast<unsigned char>(byte) < kAsciiLimit)
                output += byte;
            else if (onBadInput == OnBadInput::Fail)
                return std::nullopt;
            else
                output += kReplacementCharacter;
        }
        return output;
    }

    ::iconv(converter, nullptr, nullptr, nullptr, nullptr);
    // iconv's input pointer is not const but it never writes through it.
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    std::array<char, kOutputChunk> chunk{};
    while (inLeft > 0) {
        char* out = chunk.data();
        std::size_t outLeft = chunk.size();
        const std::size_t result = ::iconv(converter, &in, &inLeft, &out, &outLeft);
        output.append(chunk.data(), static_cast<std::size_t>(out - chunk.data()));
        if (result != kIconvError || errno == E2BIG) continue;
        if (onBadInput == OnBadInput::Fail) return std::nullopt;
        output += kReplacementCharacter;
        ++in;
        --inLeft;
    }
    return output;
}

} // namespace

struct Cp932::Converters {
    iconv_t toUtf8 = ::iconv_open(kUtf8Name, kCp932Name);
    iconv_t fromUtf8 = ::iconv_open(kCp932Name, kUtf8Name);
};

Cp932::Cp932()
    : m_converters(std::make_unique<Converters>())
{ }

Cp932::~Cp932()
{
    if (m_converters->toUtf8 != kNoConverter) ::iconv_close(m_converters->toUtf8);
    if (m_converters->fromUtf8 != kNoConverter) ::iconv_close(m_converters->fromUtf8);
}

std::string Cp932::ToUtf8(std::string_view cp932) const
{
    return *Convert(m_converters->toUtf8, cp932, OnBadInput::Replace);
}

std::optional<std::string> Cp932::FromUtf8(std::string_view utf8) const
{
    return Convert(m_converters->fromUtf8, utf8, OnBadInput::Fail);
}

} // namespace profile
