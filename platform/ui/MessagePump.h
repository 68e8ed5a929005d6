#pragma once

namespace ui {

// Removes, translates and dispatches the messages pending for this thread, without waiting.
// True when at least one was dispatched.
bool PumpMessage();

} // namespace ui
