#pragma once

#include "pages/CMapGridCtrl.h"
#include "pages/MapEditText.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/Static.h"
#include "platform/ui/ToolTip.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

class CPFCComm;
namespace config {
class ActiveProfile;
}

// What the byte and the word map pages share: the map template with its grid, read-out,
// recolour label and unit tooltip, the reading of the axes, the editing protocol with the grid
// and the trace point. A page reads its map once, right after it was created.
class CMapPage : public ui::Dialog {
public:
    static constexpr int kAxisPoints = 20;
    static constexpr int kMapRows = 20;
    static constexpr int kMapColumns = 20;
    static constexpr int kCells = kMapRows * kMapColumns;

    // The link and the profile the page reads its map and its data item through; set before
    // the page is created.
    void Attach(CPFCComm& comm, config::ActiveProfile& profile);

    // Reads the map of data item `index` (counted from 0): 0 on success, -1 after a link failure.
    int InitMap(int index);
    // Marks the cell the live data's first two words (x, y) fall in.
    void ShowTracePoint(int x, int y);
    // The trace has stopped: its trail goes.
    void ClearTrace();

    CMapGridCtrl& Grid() { return m_grid; }
    const ui::ToolTip& Tip() const { return m_tip; }
    std::string ReadOut() const { return m_readOut.GetWindowText(); }
    // The record of data cell (row, column), both from 1; null outside the data cells.
    const CellValue* Value(int row, int col) const { return m_grid.ValueAt(row, col); }

protected:
    using Shown = MapShown;
    using Accepted = MapAccepted;

    CMapPage(int cellWidth, const char* initMapCaption, int upperValueLimit);

    // The data item's own keys, read before the map.
    virtual void ReadItemSettings(const std::string&) { }
    // The map's exchanges from command on: the link's result of the first that failed, else 0.
    virtual int ReadMap(uint8_t command) = 0;
    // What the stored values count in; values copied between maps of one scale paste exactly.
    virtual const char* ScaleName() const = 0;
    virtual std::string CellText(uint16_t raw) const = 0;
    virtual std::string SelectionText(uint16_t raw) const = 0;
    // The stored value shown again (empty text from the grid).
    virtual Shown Redisplay(uint16_t raw) const = 0;
    // A typed number: what to store and show, or nothing to reject it.
    virtual std::optional<Accepted> Accept(double x) const = 0;

    // One exchange without data that must bring at least `need` data bytes into `data`; a
    // shorter reply counts as a failed read. The link's code on failure, else the reply length.
    int Exchange(uint8_t command, size_t need, uint8_t* data);
    CellValue& Record(int row, int col) { return m_values[static_cast<size_t>(kMapColumns * (row - 1) + (col - 1))]; }

    void DoDataExchange() override;
    bool OnInitDialog() override;
    bool OnCommand(ui::WPARAM wParam, ui::LPARAM lParam) override;
    bool OnNotify(ui::WPARAM wParam, ui::LPARAM lParam, ui::LRESULT* result) override;
    bool PreTranslateMessage(ui::Msg& msg) override;
    // The page never closes itself, whatever Escape says.
    void OnCancel() override { }

    CPFCComm* m_comm = nullptr;
    config::ActiveProfile* m_profile = nullptr;

private:
    int ReadAxes();
    void OnSelChanged(int row, int col);
    ui::LRESULT OnEndEdit(int row, int col);

    CMapGridCtrl m_grid;
    ui::Static m_readOut;
    ui::ToolTip m_tip;
    std::array<int, kAxisPoints> m_columnAxis{};
    std::array<int, kAxisPoints> m_rowAxis{};
    std::unique_ptr<CellValue[]> m_values;
    int m_cellWidth;
    const char* m_caption;
    int m_upperLimit;
};
