#pragma once

#include "tests/support/GridCells.h"
#include "widgets/grid/CGridCtrl.h"

#include "platform/ui/Bitmap.h"
#include "platform/ui/DeviceContext.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"
#include "platform/ui/testing/Input.h"
#include "resources/ResourceIds.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

namespace gridtest {

constexpr int kHostDialog = 9401;  // room for grids created in code
constexpr int kGridId = 300;
constexpr int kColWidth = 20;
constexpr int kRowHeight = 12;

// The four default cells as (fixed row, fixed column): normal, header column, header row, corner.
constexpr std::pair<bool, bool> kCellKinds[] = {{false, false}, {false, true}, {true, false}, {true, true}};

// One WM_NOTIFY from a grid as its receiver saw it.
struct Note { int code = 0; int row = -1; int col = -1; };

// The dialog grids live in: it keeps what they notify and answers each code from `answers`.
class Host : public ui::Dialog {
public:
    Host() : Dialog(kHostDialog) { }

    std::vector<Note> notes;
    std::map<int, ui::LRESULT> answers;

    // The codes noted so far.
    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const Note& note : notes) codes.push_back(note.code);
        return codes;
    }
    int Count(int code) const { return static_cast<int>(std::ranges::count(Codes(), code)); }

protected:
    bool OnNotify(ui::WPARAM, ui::LPARAM lParam, ui::LRESULT* result) override
    {
        const auto* record = ui::NotificationRecord<NM_GRIDVIEW>(lParam);
        notes.push_back({record->hdr.code, record->iRow, record->iColumn});
        const auto found = answers.find(record->hdr.code);
        *result = found != answers.end() ? found->second : 0;
        return true;
    }
};

class GridTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        using namespace ui;
        // A button for Tab to move to when the grid does not keep it.
        Resources::AddDialog({kHostDialog, 400, 300, "MS UI Gothic", 9, "Grids", WS_POPUP | WS_CAPTION, 0,
            {{IDOK, wc::Button, "OK", 350, 280, 40, 14, WS_CHILD | WS_VISIBLE | WS_TABSTOP}}});
    }

    void SetUp() override { ASSERT_TRUE(host.Create()); }

    // Creates grid in a new host, without the notes and the focus of the one before; the grid is
    // width x height pixels, its columns kColWidth and rows kRowHeight.
    void Place(CGridCtrl& grid, int width, int height)
    {
        host.DestroyWindow();
        host.notes.clear();
        ASSERT_TRUE(host.Create());
        for (int col = 0; col < grid.GetColumnCount(); ++col) grid.SetColumnWidth(col, kColWidth);
        for (int row = 0; row < grid.GetRowCount(); ++row) grid.SetRowHeight(row, kRowHeight);
        ASSERT_TRUE(grid.Create(host, ui::Rect{0, 0, width, height}, kGridId));
    }

    static void ToBottomRight(CGridCtrl& grid)
    {
        grid.SendMessage(ui::WM_VSCROLL, ui::SB_BOTTOM);
        grid.SendMessage(ui::WM_HSCROLL, ui::SB_RIGHT);
    }

    // The grid placed, shown and focused.
    void Make(CGridCtrl& grid, int width = 200, int height = 150)
    {
        Place(grid, width, height);
        ui::testing::ShowAndActivate(host);
        grid.SetFocus();
        ui::testing::ProcessEvents();
        host.notes.clear();
    }

    static void Select(CGridCtrl& grid, int row, int col) { grid.SetCellState(row, col, grid.GetCellState(row, col) | GVIS_SELECTED); }

    // The client area as DrawGrid paints it over magenta.
    static ui::Bitmap Paint(CGridCtrl& grid)
    {
        ui::Bitmap bitmap(grid.GetClientRect().Width(), grid.GetClientRect().Height(), ui::RGB(255, 0, 255));
        ui::DC dc(bitmap);
        grid.DrawGrid(dc);
        return bitmap;
    }

    Host host;
};

} // namespace gridtest
