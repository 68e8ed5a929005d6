#include "platform/ui/testing/TestDisplay.h"

namespace ui::testing {

void UseTestDisplay()
{
    // Windows has no headless mode: the test run gives the display (a virtual one under Wine).
}

} // namespace ui::testing
