#pragma once

#include "platform/ui/Window.h"

namespace ui {

// A single-line edit control. Every change of its text, the program's own included, sends
// EN_UPDATE and then EN_CHANGE to the parent.
class Edit : public Window {
public:
    void ReplaceSel(std::string_view text);
    void SetSel(int start, int end);
};

} // namespace ui
