#pragma once

#include "widgets/grid/CGridCell.h"

#include "platform/ui/Font.h"

// One of the grid's four default cells: what a cell of its kind shows when it sets nothing
// itself, and the size of rows and columns created later. Always read-only.
class CGridDefaultCell : public CGridCell {
public:
    // Without a device context to measure the font with.
    static constexpr int kFallbackMargin = 3;
    static constexpr int kFallbackWidth = 40;
    static constexpr int kFallbackHeight = 16;

    CGridDefaultCell();

    void SetState(ui::UINT) override { }
    ui::UINT GetState() const override { return CGridCell::GetState() | GVIS_READONLY; }
    // Realises the font and measures margin and default sizes with it.
    void SetFont(const ui::LOGFONT* logFont) override;
    const ui::LOGFONT* GetFont() const override { return m_plfFont.get(); }
    ui::Font* GetRealizedFont() const override { return const_cast<ui::Font*>(&m_Font); }

    int GetWidth() const { return m_Size.cx; }
    int GetHeight() const { return m_Size.cy; }
    void SetWidth(int width) { m_Size.cx = width; }

private:
    ui::Size m_Size{30, 10};
    ui::Font m_Font;
};
