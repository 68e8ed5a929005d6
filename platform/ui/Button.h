#pragma once

#include "platform/ui/Window.h"

namespace ui {

// Push buttons, radio buttons and group boxes made from a template.
class Button : public Window {
public:
    bool GetCheck() const;
};

} // namespace ui
