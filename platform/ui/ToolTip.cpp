#include "platform/ui/ToolTip.h"
#include "platform/ui/qt/WindowBridge.h"

#include "platform/ui/Window.h"
#include "platform/ui/qt/QtConvert.h"

#include <QWidget>

namespace ui {

bool ToolTip::Create(Window* parent, unsigned)
{
    if (parent == nullptr || !parent->IsWindow()) return false;
    m_parent = parent;
    return true;
}

bool ToolTip::AddTool(Window* tool, std::string_view text)
{
    if (m_parent == nullptr || tool == nullptr || !tool->IsWindow()) return false;
    m_tool = tool;
    m_text = std::string(text);
    WidgetOf(tool)->setToolTip(qt::ToQString(text));
    return true;
}

} // namespace ui
