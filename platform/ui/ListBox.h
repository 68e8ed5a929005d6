#pragma once

#include "platform/ui/Window.h"

#include <string>

namespace ui {

constexpr int LB_ERR = -1;

// A list box made from a template. Entries inserted at a position stay there whatever the
// sort style.
class ListBox : public Window {
public:
    // Inserts at index (-1 appends); returns the index or LB_ERR.
    int InsertString(int index, std::string_view text);
    int GetCount() const;
    std::string GetText(int index) const;
    // Selects index; an index outside the list clears the selection and returns LB_ERR.
    int SetCurSel(int index);
    int GetCurSel() const;
};

} // namespace ui
