#pragma once

// Test seam: real toolkit input delivered to windows, and what they look like on screen.

#include "platform/ui/Bitmap.h"
#include "platform/ui/Geometry.h"

#include <functional>
#include <optional>
#include <string_view>

namespace ui {
class Window;
}

namespace ui::testing {

enum Modifier : unsigned { None = 0, Shift = 1, Control = 2, Alt = 4, Keypad = 8 };

// Key press and release of a virtual key at the window that has the keyboard focus, or at
// target when given; passes the pre-translation walk like a real key.
void PressKey(unsigned vk, unsigned modifiers = None, Window* target = nullptr);
// Types each character of text at the focus.
void TypeText(std::string_view text, Window* target = nullptr);
// Text the input method commits at the focus, or at target; as on the desktop, only a window
// that takes input-method text receives it. ComposeText shows text still being composed.
void CommitText(std::string_view text, Window* target = nullptr);
void ComposeText(std::string_view text, Window* target = nullptr);
// Left click (press and release) at point in the window's client coordinates, with Shift or
// Control held as modifiers says.
void Click(Window& window, Point point, unsigned modifiers = None);
void Click(Window& window);
void DoubleClick(Window& window, Point point);
void RightClick(Window& window, Point point);
// The pointer moved to point (client coordinates), with the left button held when dragging.
void MoveMouse(Window& window, Point point, bool dragging = false);
// The left button pressed at point and held, and later released: the ends of a drag.
void PressButton(Window& window, Point point);
void ReleaseButton(Window& window, Point point);
// The wheel turned by delta (120 a notch, positive away from the user) over point.
void TurnWheel(Window& window, Point point, int delta);
// The system's lines per wheel notch (-1 a page) as the program reads them from now on; none
// gives the toolkit's value again.
void SetWheelScrollLines(std::optional<int> lines);
// The caption's close box.
void PressCloseBox(Window& topLevel);
// Shows a top-level window and makes it active, so that focus works as for a user.
void ShowAndActivate(Window& topLevel);
// Dispatches everything pending, posted messages and zero-delay timers included.
void ProcessEvents();
// Runs the message loop until done() holds or timeoutMs have passed; true when done() held. For
// what only a real timer brings about: it waits on the loop, never in a sleep.
bool RunUntil(const std::function<bool()>& done, int timeoutMs);
// Runs change, a tick or another change the program makes without input, as an input is run.
void Repainting(const std::function<void()>& change);
// From now on each key, click, pointer move, wheel turn and input-method text above, each
// RunUntil (timers) and each Repainting, checks that it repainted what it changed: once its paints are
// done, every shown window's screen must be what a fresh paint draws, or stale gets the title of
// one that is not.
void CheckRepaintsAfterInput(std::function<void(std::string_view title)> stale);
// From now on each warning of the toolkit, a sign of misusing it (a painter restored more often
// than saved), goes to warned.
void CheckToolkitWarnings(std::function<void(std::string_view text)> warned);
// Paints the window as it is now.
Bitmap Grab(Window& window);

} // namespace ui::testing
