#include "platform/ui/testing/TestDisplay.h"

#include <cstdlib>

namespace ui::testing {

void UseTestDisplay()
{
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

} // namespace ui::testing
