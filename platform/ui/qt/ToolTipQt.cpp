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

void ToolTip::AddTool(Window* tool, std::string_view text)
{
    if (m_parent == nullptr || tool == nullptr || !tool->IsWindow()) return;
    m_tool = tool;
    m_text = std::string(text);
    WidgetOf(tool)->setToolTip(qt::ToQString(text));
}

} // namespace ui
