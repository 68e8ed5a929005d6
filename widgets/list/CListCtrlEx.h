#pragma once

#include "platform/ui/Font.h"
#include "platform/ui/ListView.h"

// The owner-drawn report list behind the monitor list: a selected row is highlighted across
// the whole client width, texts too long for their column end in "...", the value columns
// (1 and up) use a fixed 9-point Arial font and rows are as high as the control's font asks.
class CListCtrlEx : public ui::ListView {
public:
    static constexpr int kValueFontTenthsOfPoint = 90;
    static constexpr const char* kValueFontFace = "Arial";

    // Null until the control is attached to its window.
    const ui::Font& ValueFont() const { return m_valueFont; }

    void PreSubclassWindow() override;
    ui::LRESULT WindowProc(ui::UINT message, ui::WPARAM wParam, ui::LPARAM lParam) override;

protected:
    void DrawItem(ui::DRAWITEMSTRUCT& draw) override;
    void MeasureItem(ui::MEASUREITEMSTRUCT& measure) override;

    void OnSize(ui::UINT type, int cx, int cy) override;

private:
    void DrawValueColumns(ui::DC& dc, int item, const ui::Rect& row, const ui::Rect& label);
    ui::LRESULT OnSetFont(ui::WPARAM wParam, ui::LPARAM lParam);

    ui::Font m_valueFont;
    int m_clientWidth = 0;
    // Set only on systems before major version 4, which this program never runs on.
    int m_stateImageOffset = 0;
    ui::COLORREF m_textBkColor = ui::GetSysColor(ui::COLOR_WINDOW);
    // The blend colour of item images; recorded for when the list has image lists.
    ui::COLORREF m_bkColor = ui::GetSysColor(ui::COLOR_WINDOW);
};
