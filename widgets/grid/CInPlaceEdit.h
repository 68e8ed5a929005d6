#pragma once

#include "platform/ui/Edit.h"

#include <string>

class CGridCtrl;

// The single-line editor that opens over a cell. It reports the end of the edit to the grid
// with a GV_DISPINFO record (GVN_ENDLABELEDIT) and then closes its window. The objects belong
// to this class: one whose window is gone (closed, or taken with the grid) is freed when the
// next editor opens, the rest at exit.
class CInPlaceEdit : public ui::Edit {
public:
    // Opens an editor on rect (grid client coordinates) showing text, aligned by alignment
    // (ES_LEFT, ES_CENTER, ES_RIGHT), with the keyboard focus; firstChar places the selection.
    // Null when the window cannot be made.
    static CInPlaceEdit* Open(
        CGridCtrl& grid, const ui::Rect& rect, uint32_t alignment, int id, int row, int col, const std::string& text, ui::UINT firstChar);

    // The first character of an edit begun by a click, a double-click or F2: caret at the end.
    static constexpr ui::UINT kCaretAtEnd = 1;

    ~CInPlaceEdit() override;

    // Sends the end-of-edit record to the grid and closes the window; later calls do nothing.
    void EndEdit();

    ui::LRESULT WindowProc(ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) override;

protected:
    void OnKeyDown(ui::UINT vk, ui::UINT repeat, ui::UINT flags) override;
    void OnChar(ui::UINT ch, ui::UINT repeat, ui::UINT flags) override;
    void OnKillFocus(ui::Window* newFocus) override;
    ui::UINT OnGetDlgCode() override;

private:
    CInPlaceEdit(int row, int col, const std::string& text, ui::UINT firstChar, const ui::Rect& rect);

    void PlaceSelection(ui::UINT firstChar);
    // Types ch over the selection, as a key would.
    void Type(ui::UINT ch);
    // Records key and hands the focus back to the grid, which ends the edit.
    void Leave(ui::UINT key);
    void WidenToText();

    int m_nRow;
    int m_nColumn;
    std::string m_sInitText;
    ui::UINT m_nLastChar = 0;
    bool m_bExitOnArrows;
    ui::Rect m_Rect;
    bool m_bEnded = false;
};
