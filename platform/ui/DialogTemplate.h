#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace ui {

// Window classes a template can name.
namespace wc {
inline constexpr std::string_view Button = "Button";
inline constexpr std::string_view Static = "Static";
inline constexpr std::string_view Edit = "Edit";
inline constexpr std::string_view ListBox = "ListBox";
inline constexpr std::string_view TabControl = "SysTabControl32";
inline constexpr std::string_view ListView = "SysListView32";
} // namespace wc

// One control of a dialog template; position and size in dialog units. For an icon static,
// iconId names the icon resource.
struct ControlTemplate {
    int id = -1;
    std::string_view windowClass;
    std::string_view text;
    int x = 0, y = 0, cx = 0, cy = 0;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    int iconId = 0;
};

// A dialog described as data: size in dialog units, font, caption, styles and the controls
// in template order (which is also the tab order).
struct DialogTemplate {
    int id = 0;
    int cx = 0, cy = 0;
    std::string_view fontFace;
    int pointSize = 8;
    std::string_view caption;
    uint32_t style = 0;
    uint32_t exStyle = 0;
    std::vector<ControlTemplate> controls;
};

} // namespace ui
