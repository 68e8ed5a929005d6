#pragma once

#include <optional>
#include <string_view>

// The hexadecimal number a user typed, read the way "%x" reads it: leading blanks, a sign, an
// optional "0x", the digits; trailing text is ignored. Unlike "%x" it never wraps: a number too
// large for any field stays too large, and a minus sign keeps it below zero. Nothing when no
// number leads the text.
std::optional<int> ParseTypedHex(std::string_view text);
