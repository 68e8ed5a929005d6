#include "platform/ui/ControlStandIn.h"

#include "platform/ui/Button.h"
#include "platform/ui/DialogTemplate.h"
#include "platform/ui/Edit.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/Static.h"

namespace ui {

std::unique_ptr<Window> StandInFor(const ControlTemplate& control)
{
    const std::string_view cls = control.windowClass;
    if (cls == wc::Button) return std::make_unique<Button>();
    if (cls == wc::Static) return std::make_unique<Static>();
    if (cls == wc::Edit) return std::make_unique<Edit>();
    if (cls == wc::ListBox) return std::make_unique<ListBox>();
    return std::make_unique<Window>();
}

} // namespace ui
