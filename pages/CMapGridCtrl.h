#pragma once

#include "pages/CopiedValues.h"
#include "widgets/grid/CGridCtrl.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

// One data cell's number: what it shows now, and what it goes back to.
struct CellValue {
    uint16_t current = 0;
    uint16_t base = 0;
};

// The grid of the map pages and the console's send grid: values in records the page owns, a
// blue-to-red colour scale, a fading trail of the cell the engine runs in, and keys that open
// the editor, revert and step the selected values. Turning values into text is the page's job:
// a changed value reaches the screen by ending an edit with empty text, which every page
// answers by writing the stored value back. A cell the page left blank shows no value: its
// value never arrived, and the keys leave it alone. A copy carries the stored values beside the
// text, so that a paste into a grid of the same scale puts them back exactly.
class CMapGridCtrl : public CGridCtrl {
public:
    static constexpr int kTrailSlots = 10;
    static constexpr int kTrailTicks = 8;

    CMapGridCtrl();

    // Attached by the page; one record per data cell, row by row. Not owned.
    CellValue* m_pValues = nullptr;
    int m_nMaxValue = 0; // upper value limit
    int m_nMinValue = 0; // lower value limit

    // What the values count in, such as "percent"; without one a copy carries text only.
    void SetValueScale(std::string scale) { m_strValueScale = std::move(scale); }

    // Every data cell in its scale colours, text included.
    void Recolor();
    ui::COLORREF ValueToColor(int value) const;
    // Advances the trail by one tick and marks data cell (row + 1, column + 1).
    void MarkTraceCell(int column, int row);
    // Ends the trail at once: its cells go back to their scale colours.
    void ClearTrail();
    void RevertSelection();
    void StepSelection(int delta);
    bool PreTranslateMessage(ui::Msg& msg) override;

    void CopySelection() override;
    void CutSelection() override;
    void PasteData(int row, int col, const std::string& text, bool selectPasted) override;

    int ObservedMaximum() const { return m_nObservedMax; }
    int ObservedMinimum() const { return m_nObservedMin; }
    // The record of a data cell, or null for a header cell or without records.
    CellValue* ValueAt(int row, int col) const;

protected:
    void PasteCell(int row, int col, std::string_view text, size_t line, size_t field) override;

private:
    struct TrailSlot {
        int col = 0;
        int row = 0;
        int countdown = 0;
    };

    // The record of a data cell that shows its value, or null.
    CellValue* ShownValueAt(int row, int col) const;
    void ShowScaleColours(int row, int col);
    bool CopyWithValues();
    CopiedValues SelectedValues() const;
    void PasteValue(int row, int col, CellValue& record, uint16_t value);

    std::string m_strValueScale;
    // The values of the paste under way, when its text came from a grid of this scale.
    std::optional<CopiedValues> m_pasted;
    int m_nObservedMax = 0;
    int m_nObservedMin = 0;
    std::array<TrailSlot, kTrailSlots> m_trail{};
    int m_nNextSlot = 0;
};
