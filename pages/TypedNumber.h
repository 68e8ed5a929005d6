#pragma once

#include <optional>
#include <string_view>

// The number a user typed, read the way "%lf" reads it in the C locale: leading blanks, then
// the longest number; trailing text is ignored. Nothing when no number leads the text or when
// it lies beyond what a double holds.
std::optional<double> ParseTypedNumber(std::string_view text);
