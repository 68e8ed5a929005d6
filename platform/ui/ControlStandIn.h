#pragma once

#include <memory>

namespace ui {

struct ControlTemplate;
class Window;

// The object of a control the dialog does not bind: what the program reaches through GetDlgItem
// without binding answers as its class. Tab controls and list views are always bound.
std::unique_ptr<Window> StandInFor(const ControlTemplate& control);

} // namespace ui
