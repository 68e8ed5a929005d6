#pragma once

// Makes the widgets of a dialog template's controls, each with a stand-in window object.

#include <memory>

class QWidget;

namespace ui {

class Font;
class Window;
struct ControlTemplate;

struct ControlGeometry {
    int x, y, width, height;
};

std::unique_ptr<Window> CreateControl(const ControlTemplate& control, QWidget* dialog, const ControlGeometry& geometry, Font* font);

} // namespace ui
