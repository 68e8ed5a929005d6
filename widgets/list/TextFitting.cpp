#include "widgets/list/TextFitting.h"

#include <vector>

namespace listctrl {

namespace {

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Byte offsets at which code points begin, with the text's length last.
std::vector<size_t> CodePointStarts(std::string_view text)
{
    std::vector<size_t> starts;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i == 0 || !IsContinuationByte(text[i])) starts.push_back(i);
    }
    starts.push_back(text.size());
    return starts;
}

} // namespace

FittedText FitText(std::string_view text, int width, int allowance, const TextWidth& measure)
{
    if (text.empty() || measure(text) + allowance <= width) return {std::string(text), false};

    const std::vector<size_t> starts = CodePointStarts(text);
    const size_t length = starts.size() - 1;
    const int ellipsis = measure(kEllipsis);
    size_t keep = 1;
    for (size_t k = length - 1; k >= 1; --k) {
        if (measure(text.substr(0, starts[k])) + ellipsis + allowance <= width) {
            keep = k;
            break;
        }
    }
    std::string shortened(text.substr(0, starts[keep]));
    shortened += kEllipsis;
    return {std::move(shortened), true};
}

std::string_view FirstCodePoints(std::string_view text, size_t count)
{
    size_t seen = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i != 0 && !IsContinuationByte(text[i]) && ++seen == count) return text.substr(0, i);
    }
    return count == 0 ? text.substr(0, 0) : text;
}

} // namespace listctrl
