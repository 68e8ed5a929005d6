#pragma once

// Walks over row heights or column widths: where the scrolled part starts, what is visible,
// which index a coordinate falls in.

#include "platform/ui/Messages.h"

#include <span>

namespace grid {

// Sum of the sizes before index (all of them when index is past the end).
int Offset(std::span<const ui::UINT> sizes, int index);
// The first scrolled index: walking from the first non-fixed one, the index whose offset
// from it reaches the scroll position (never past the last index).
int FirstScrolled(std::span<const ui::UINT> sizes, int fixed, int scrollPos);
// The last index that shows, at least partly, in an extent of the given length when the
// scrolled part starts at first; -1 when there is none.
int LastVisible(std::span<const ui::UINT> sizes, int fixed, int first, int extent);
// The index under coordinate pos (from the window's edge) with the scrolled part starting at
// first; -1 when pos lies before 0 or past the last index; a header index only when allowFixed.
int IndexAt(std::span<const ui::UINT> sizes, int fixed, int first, int pos, bool allowFixed);

} // namespace grid
