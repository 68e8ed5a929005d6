#pragma once

#include "platform/ui/Window.h"

namespace ui {

// A static text control made from a template.
class Static : public Window { };

} // namespace ui
