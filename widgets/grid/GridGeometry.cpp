#include "widgets/grid/GridGeometry.h"

#include <algorithm>

namespace grid {

int Offset(std::span<const ui::UINT> sizes, int index)
{
    int offset = 0;
    const int end = std::min(index, static_cast<int>(sizes.size()));
    for (int i = 0; i < end; ++i) offset += static_cast<int>(sizes[static_cast<size_t>(i)]);
    return offset;
}

int FirstScrolled(std::span<const ui::UINT> sizes, int fixed, int scrollPos)
{
    const int count = static_cast<int>(sizes.size());
    int index = fixed;
    int reached = 0;
    while (reached < scrollPos && index < count - 1) reached += static_cast<int>(sizes[static_cast<size_t>(index++)]);
    return index;
}

int LastVisible(std::span<const ui::UINT> sizes, int fixed, int first, int extent)
{
    const int count = static_cast<int>(sizes.size());
    int edge = Offset(sizes, fixed);
    int last = -1;
    for (int i = first; i < count && edge < extent; ++i) {
        edge += static_cast<int>(sizes[static_cast<size_t>(i)]);
        last = i;
    }
    return last;
}

int IndexAt(std::span<const ui::UINT> sizes, int fixed, int first, int pos, bool allowFixed)
{
    if (pos < 0) return -1;
    const int count = static_cast<int>(sizes.size());
    const int fixedEnd = Offset(sizes, fixed);
    if (pos < fixedEnd) {
        if (!allowFixed) return -1;
        int edge = 0;
        for (int i = 0; i < fixed; ++i) {
            edge += static_cast<int>(sizes[static_cast<size_t>(i)]);
            if (pos < edge) return i;
        }
        return -1;
    }
    int edge = fixedEnd;
    for (int i = first; i < count; ++i) {
        edge += static_cast<int>(sizes[static_cast<size_t>(i)]);
        if (pos < edge) return i;
    }
    return -1;
}

} // namespace grid
