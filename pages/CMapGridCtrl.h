#pragma once

#include "widgets/grid/CGridCtrl.h"

#include <array>
#include <cstdint>

// One data cell's number: what it shows now, and what it goes back to.
struct CellValue {
    uint16_t current = 0;
    uint16_t base = 0;
};

// The grid of the map pages and the console's send grid: values in records the page owns, a
// blue-to-red colour scale, a fading trail of the cell the engine runs in, and keys that open
// the editor, revert and step the selected values. Turning values into text is the page's job:
// a changed value reaches the screen by ending an edit with empty text, which every page
// answers by writing the stored value back.
class CMapGridCtrl : public CGridCtrl {
public:
    static constexpr int kTrailSlots = 10;
    static constexpr int kTrailTicks = 8;

    CMapGridCtrl();

    // Attached by the page; one record per data cell, row by row. Not owned.
    CellValue* m_pValues = nullptr;
    int m_nMaxValue = 0; // upper value limit
    int m_nMinValue = 0; // lower value limit

    void Recolor();
    ui::COLORREF ValueToColor(int value) const;
    // Advances the trail by one tick and marks data cell (row + 1, column + 1).
    void MarkTraceCell(int column, int row);
    void RevertSelection();
    void StepSelection(int delta);
    bool PreTranslateMessage(ui::Msg& msg) override;

    int ObservedMaximum() const { return m_nObservedMax; }
    int ObservedMinimum() const { return m_nObservedMin; }
    // The record of a data cell, or null for a header cell or without records.
    CellValue* ValueAt(int row, int col) const;

private:
    struct TrailSlot {
        int col = 0;
        int row = 0;
        int countdown = 0;
    };

    int m_nObservedMax = 0;
    int m_nObservedMin = 0;
    std::array<TrailSlot, kTrailSlots> m_trail{};
    int m_nNextSlot = 0;
};
