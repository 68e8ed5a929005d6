#pragma once

#include "platform/ui/Window.h"

namespace ui {

// A single-line edit control. Every change of its text, the program's own included, sends
// EN_UPDATE and then EN_CHANGE to the parent. Its own keys (WM_KEYDOWN, WM_CHAR) and the loss
// of focus (WM_KILLFOCUS) reach its window first; the default processing of a key edits.
class Edit : public Window {
public:
    // An edit made in code, aligned by ES_LEFT, ES_CENTER or ES_RIGHT.
    bool Create(uint32_t style, const Rect& rect, Window& parent, int id);
    void ReplaceSel(std::string_view text);
    // Selects from start to end; an end of -1 or past the text selects to its end.
    void SetSel(int start, int end);

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

} // namespace ui
