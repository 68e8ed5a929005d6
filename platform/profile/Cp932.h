#pragma once

#include <iconv.h>
#include <optional>
#include <string>
#include <string_view>

namespace profile {

// Converts between Windows code page 932 (Shift_JIS as Windows writes it) and UTF-8 with the C
// library's iconv. One object keeps both converters open for the life of one parsed file.
class Cp932 {
public:
    Cp932();
    ~Cp932();
    Cp932(const Cp932&) = delete;
    Cp932& operator=(const Cp932&) = delete;

    // Never fails: a byte that starts no CP932 character becomes U+FFFD.
    std::string ToUtf8(std::string_view cp932) const;
    // Empty when the text holds a character CP932 cannot store (or is not UTF-8).
    std::optional<std::string> FromUtf8(std::string_view utf8) const;

private:
    iconv_t m_toUtf8;
    iconv_t m_fromUtf8;
};

} // namespace profile
