#pragma once

#include "platform/ui/Geometry.h"
#include "platform/ui/Messages.h"

#include <cstdint>

namespace listctrl {

// Row height as a share of the font's character height, in percent.
inline constexpr int kRowHeightPercent = 130;

// Row height for a font of the given logical height (negative: character height).
int RowHeightForFont(int32_t fontHeight);

// A selected row shows its highlight while the control has the focus or always shows the
// selection; a drop target is highlighted regardless.
bool IsRowHighlighted(ui::UINT itemState, bool controlHasFocus, bool showSelectionAlways);

// The rectangle a row is filled in: from its label to the end of its columns, and on to the
// client area's right edge when the columns end short of it.
ui::Rect RowRectangle(const ui::Rect& bounds, const ui::Rect& label, int clientWidth);

// Drawing flag for a value text: a shortened text starts at the left so that its beginning
// stays readable; a whole one follows its column's format.
unsigned ValueTextAlignment(int columnFormat, bool shortened);

} // namespace listctrl
