#pragma once

#include <optional>
#include <string>
#include <string_view>

// What the C library's strtod makes of the start of a text (in the C locale, the one a fuzz
// run keeps): the reference the program's own number readers are held to.
struct CNumber {
    // Nothing when no number leads the text.
    std::optional<double> value;
    // The number lies beyond what a double holds (too large, or too small to be told from 0).
    bool outOfRange = false;
    // It was written in hexadecimal ("0x1p3").
    bool hexadecimal = false;

    static CNumber Read(std::string_view text);
};

// Equal numbers, or both not a number.
bool SameNumber(double a, double b);
