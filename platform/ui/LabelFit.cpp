#include "platform/ui/LabelFit.h"

namespace ui {

std::optional<int> FittingLabelSize(int original, Size label, const TextMeasure& measure)
{
    constexpr int kSmallest = 8;
    for (int size = original; size >= kSmallest; --size) {
        const Size text = measure(size);
        if (text.cx <= label.cx || text.cy * 2 <= label.cy) return size;
    }
    return std::nullopt;
}

} // namespace ui
