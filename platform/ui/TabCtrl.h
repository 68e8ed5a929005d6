#pragma once

#include "platform/ui/Window.h"

#include <string>

namespace ui {

// A tab control: the tabs on top, the pages as children below. Each tab keeps one value.
// A user's change of tab sends TCN_SELCHANGING (a nonzero answer keeps the old tab) and then
// TCN_SELCHANGE to the parent; SetCurSel sends nothing.
class TabCtrl : public Window {
public:
    // Inserts at index (past the end appends); returns the index or -1.
    int InsertItem(int index, std::string_view text, intptr_t value = 0);
    void DeleteItem(int index);
    int GetItemCount() const;
    std::string GetItemText(int index) const;
    intptr_t GetItemData(int index) const;
    int GetCurSel() const;
    // Returns the previous selection, or -1.
    int SetCurSel(int index);
};

} // namespace ui
