#pragma once

#include "platform/ui/Window.h"

namespace ui {

// A static text or icon control made from a template.
class Static : public Window {
public:
    void SetIcon(int iconId);
};

} // namespace ui
