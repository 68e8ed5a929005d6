#pragma once

#include "platform/ui/LogFont.h"

namespace ui {

// The font message boxes use: the default for grids and lists.
LOGFONT GetMessageFont();
// Lines one wheel notch scrolls; -1 means a page.
int GetWheelScrollLines();
// Thickness of a scroll bar.
int GetScrollBarSize();
// Whether a key (VK_SHIFT, VK_CONTROL, ...) is held down now.
bool IsKeyDown(unsigned vk);

} // namespace ui
