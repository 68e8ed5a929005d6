#pragma once

namespace ui::testing {

// Before the application object: the test run's display. Qt draws offscreen; Windows draws
// every window on a display even in a test, the one the run was started on.
void UseTestDisplay();

} // namespace ui::testing
