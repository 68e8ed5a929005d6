#include "platform/profile/Utf8.h"

#include <algorithm>
#include <cstdint>

namespace profile {

namespace {

constexpr char32_t kMaxCodePoint = 0x10FFFF;
constexpr char32_t kFirstSurrogate = 0xD800;
constexpr char32_t kLastSurrogate = 0xDFFF;

// How a lead byte is recognised, what it carries and the smallest value its length may encode.
struct LeadForm {
    std::uint8_t mask;
    std::uint8_t pattern;
    int continuationBytes;
    char32_t smallest;
};
constexpr LeadForm kLeadForms[] = {
    {0xE0, 0xC0, 1, 0x80},
    {0xF0, 0xE0, 2, 0x800},
    {0xF8, 0xF0, 3, 0x10000},
};
constexpr std::uint8_t kContinuationMask = 0xC0;
constexpr std::uint8_t kContinuationPattern = 0x80;
constexpr std::uint8_t kContinuationPayload = 0x3F;
constexpr int kPayloadBitsPerContinuation = 6;
constexpr std::uint8_t kAsciiLimit = 0x80;

} // namespace

bool IsValidUtf8(std::string_view text)
{
    return LongestUtf8Character(text).has_value();
}

std::optional<int> LongestUtf8Character(std::string_view text)
{
    int longest = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<std::uint8_t>(text[i]);
        if (lead < kAsciiLimit) {
            longest = std::max(longest, 1);
            ++i;
            continue;
        }
        const LeadForm* form = nullptr;
        for (const LeadForm& candidate : kLeadForms) {
            if ((lead & candidate.mask) == candidate.pattern) form = &candidate;
        }
        if (form == nullptr || text.size() - i <= static_cast<std::size_t>(form->continuationBytes)) return std::nullopt;
        char32_t value = lead & static_cast<std::uint8_t>(~form->mask);
        for (int k = 1; k <= form->continuationBytes; ++k) {
            const auto next = static_cast<std::uint8_t>(text[i + static_cast<std::size_t>(k)]);
            if ((next & kContinuationMask) != kContinuationPattern) return std::nullopt;
            value = (value << kPayloadBitsPerContinuation) | (next & kContinuationPayload);
        }
        if (value < form->smallest || value > kMaxCodePoint || (value >= kFirstSurrogate && value <= kLastSurrogate)) return std::nullopt;
        longest = std::max(longest, form->continuationBytes + 1);
        i += static_cast<std::size_t>(form->continuationBytes) + 1;
    }
    return longest;
}

} // namespace profile
