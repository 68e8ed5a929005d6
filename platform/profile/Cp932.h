#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace profile {

// Converts between Windows code page 932 (Shift_JIS as Windows writes it) and UTF-8 with the
// system's conversion: the C library's iconv on POSIX, code page 932 itself on Windows. One
// object keeps what the system needs open for the life of one parsed file.
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
    struct Converters;
    std::unique_ptr<Converters> m_converters;
};

} // namespace profile
