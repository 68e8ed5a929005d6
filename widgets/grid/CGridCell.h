#pragma once

#include "widgets/grid/CGridCellBase.h"

#include <memory>
#include <string>

// The grid's ordinary cell: text, format, colours, font and margin, each
// "take the default cell's" until set.
class CGridCell : public CGridCellBase {
public:
    CGridCell();
    ~CGridCell() override;

    void SetText(const char* text) override { m_strText = text != nullptr ? text : ""; }
    void SetFormat(ui::UINT format) override { m_nFormat = format; }
    void SetTextColor(ui::COLORREF color) override { m_crFgClr = color; }
    void SetBackColor(ui::COLORREF color) override { m_crBkClr = color; }
    void SetFont(const ui::LOGFONT* logFont) override;
    void SetMargin(ui::UINT margin) override { m_nMargin = margin; }
    void SetGrid(CGridCtrl* grid) override { m_pGrid = grid; }
    void SetPosition(int, int) override { }

    const char* GetText() const override { return m_strText.c_str(); }
    ui::UINT GetFormat() const override;
    ui::COLORREF GetTextColor() const override { return m_crFgClr; }
    ui::COLORREF GetBackColor() const override { return m_crBkClr; }
    const ui::LOGFONT* GetFont() const override;
    ui::Font* GetRealizedFont() const override;
    CGridCtrl* GetGrid() const override { return m_pGrid; }
    ui::Window* GetEditWindow() const override { return m_pEditWnd; }
    ui::UINT GetMargin() const override;

    bool IsEditing() const override { return m_bEditing; }

    void EditEnded() override;

protected:
    void StartEditing(ui::Window* editor) override
    {
        m_bEditing = true;
        m_pEditWnd = editor;
    }

    std::string m_strText;
    ui::UINT m_nFormat = kDefaultFormat;
    ui::COLORREF m_crFgClr = CLR_DEFAULT;
    ui::COLORREF m_crBkClr = CLR_DEFAULT;
    std::unique_ptr<ui::LOGFONT> m_plfFont;
    ui::UINT m_nMargin = kDefaultMargin;
    bool m_bEditing = false;
    CGridCtrl* m_pGrid = nullptr;
    ui::Window* m_pEditWnd = nullptr;
};
