#pragma once

#include <string>
#include <string_view>

namespace ui {

// The system clipboard's plain text.
class Clipboard {
public:
    static void SetText(std::string_view text);
    static std::string GetText();
    static bool HasText();
};

} // namespace ui
