#pragma once

#include <string>
#include <string_view>

namespace ui {

class Window;
struct Msg;

// A tooltip with one tool: a whole window and its text.
class ToolTip {
public:
    bool Create(Window* parent, unsigned style = 0);
    bool IsCreated() const { return m_parent != nullptr; }
    void AddTool(Window* tool, std::string_view text);
    std::string GetText() const { return m_text; }
    Window* GetTool() const { return m_tool; }
    // The toolkit shows tips from its own hover tracking; relayed messages need no work.
    void RelayEvent(const Msg&) { }

private:
    Window* m_parent = nullptr;
    Window* m_tool = nullptr;
    std::string m_text;
};

} // namespace ui
