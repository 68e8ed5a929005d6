#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace listctrl {

// Width in pixels of a text in the font being measured with.
using TextWidth = std::function<int(std::string_view)>;

inline constexpr std::string_view kEllipsis = "...";

struct FittedText {
    std::string text;
    bool shortened = false;
};

// The text as it fits in width pixels with allowance pixels to spare: unchanged when it fits,
// otherwise its longest fitting prefix (at least one character) followed by "...".
// Characters are UTF-8 code points; a prefix never ends inside one.
FittedText FitText(std::string_view text, int width, int allowance, const TextWidth& measure);

// The first count code points of text (all of it when shorter).
std::string_view FirstCodePoints(std::string_view text, size_t count);

} // namespace listctrl
