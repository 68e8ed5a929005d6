#pragma once

#include <cstddef>
#include <string_view>

// What the C library's scanning of a number reads before the digits: blanks, then a sign.
struct NumberLead {
    size_t digits = 0; // where the digits (or "0x") begin
    bool negative = false;
};

NumberLead ReadNumberLead(std::string_view text);
bool IsHexDigit(char c);
// "0x" or "0X" at `at`, with at least one character after it.
bool HasHexPrefix(std::string_view text, size_t at);
