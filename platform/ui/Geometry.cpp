#include "platform/ui/Geometry.h"

#include <cstdint>
#include <cstdlib>

namespace ui {

int MulDiv(int a, int b, int c)
{
    if (c == 0) return -1;
    const int64_t product = static_cast<int64_t>(a) * b;
    const int64_t magnitude = (std::llabs(product) + std::llabs(static_cast<int64_t>(c)) / 2) / std::llabs(static_cast<int64_t>(c));
    const bool negative = (product < 0) != (c < 0);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

} // namespace ui
