#include "widgets/list/RowRules.h"

#include "platform/ui/DeviceContext.h"
#include "platform/ui/ListView.h"

#include <algorithm>
#include <cstdlib>

namespace listctrl {

int RowHeightForFont(int32_t fontHeight)
{
    return static_cast<int>(std::abs(static_cast<int64_t>(fontHeight)) * kRowHeightPercent / 100);
}

bool IsRowHighlighted(ui::UINT itemState, bool controlHasFocus, bool showSelectionAlways)
{
    const bool selected = (itemState & ui::LVIS_SELECTED) != 0;
    const bool dropTarget = (itemState & ui::LVIS_DROPHILITED) != 0;
    return (selected && (controlHasFocus || showSelectionAlways)) || dropTarget;
}

ui::Rect RowRectangle(const ui::Rect& bounds, const ui::Rect& label, int clientWidth)
{
    ui::Rect row = bounds;
    row.left = label.left;
    row.right = std::max(row.right, clientWidth);
    return row;
}

unsigned ValueTextAlignment(int columnFormat, bool shortened)
{
    if (shortened) return ui::DT_LEFT;
    switch (columnFormat & ui::LVCFMT_JUSTIFYMASK) {
    case ui::LVCFMT_RIGHT: return ui::DT_RIGHT;
    case ui::LVCFMT_CENTER: return ui::DT_CENTER;
    default: return ui::DT_LEFT;
    }
}

} // namespace listctrl
