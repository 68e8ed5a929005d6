#pragma once

#include "platform/ui/LogFont.h"

namespace ui {

// The font message boxes use: the default for grids and lists.
LOGFONT GetMessageFont();
// Lines one wheel notch scrolls; -1 means a page.
int GetWheelScrollLines();
// Thickness of a scroll bar.
int GetScrollBarSize();
// A length given in pixels of a 96-dots-per-inch screen, in pixels of this one: what the program
// sizes in pixels grows with the fonts on a scaled desktop.
int ScaleToScreen(int pixels);
// Whether a key (VK_SHIFT, VK_CONTROL, ...) is held down now.
bool IsKeyDown(unsigned vk);

} // namespace ui
