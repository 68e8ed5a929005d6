#pragma once

// The simulated controller, a page's world on it, and clicks and typing in grid cells.

#include "link/CPFCComm.h"
#include "resources/ResourceIds.h"
#include "sim/PortLog.h"
#include "sim/SimulatedController.h"
#include "sim/SimulatedPort.h"
#include "sim/VirtualClock.h"
#include "tests/support/Frames.h"
#include "tests/support/GridCells.h"
#include "tests/support/WorkingDirectory.h"
#include "widgets/grid/CGridCtrl.h"

#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Styles.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Recorder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

using Strings = std::vector<std::string>;

// Words as the controller sends them, low byte first, padded with zeros to `count` words.
inline std::vector<uint8_t> LittleEndianWords(const std::vector<uint16_t>& words, size_t count)
{
    std::vector<uint8_t> bytes(2 * count, 0);
    for (size_t i = 0; i < words.size(); ++i) {
        bytes[2 * i] = static_cast<uint8_t>(words[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<uint8_t>(words[i] >> 8);
    }
    return bytes;
}

using gridtest::CellCentre;

inline void ClickCell(CGridCtrl& grid, int row, int col, unsigned modifiers = ui::testing::None)
{
    ui::testing::Click(grid, CellCentre(grid, row, col), modifiers);
}

// Selects the cell unless it has the focus (a click there would open the editor), opens its
// editor with Return, selects its text back to the start and deletes it, types the new text and
// ends the edit with Return.
inline void TypeIntoCell(CGridCtrl& grid, int row, int col, const std::string& text)
{
    if (!(grid.GetFocusCell() == CCellID(row, col))) ClickCell(grid, row, col);
    ui::testing::PressKey(ui::VK_RETURN);
    ui::testing::PressKey(ui::VK_HOME, ui::testing::Shift);
    ui::testing::PressKey(ui::VK_BACK);
    ui::testing::TypeText(text);
    ui::testing::PressKey(ui::VK_RETURN);
    ui::testing::ProcessEvents();
}

// The data cells of a map a trace has just marked (yellow), as x = column, y = row.
inline std::vector<ui::Point> MarkedCells(CGridCtrl& grid)
{
    std::vector<ui::Point> cells;
    for (int cell = 0; cell < 400; ++cell) {
        if (grid.GetCell(cell / 20 + 1, cell % 20 + 1)->GetBackColor() == ui::RGB(255, 255, 0))
            cells.push_back({cell % 20 + 1, cell / 20 + 1});
    }
    return cells;
}

// The simulated controller on a virtual clock as the program's one port: replies replaced at
// will, the commands the program sent and the boxes it showed.
class SimulatedLink : public ::testing::Test {
protected:
    static void SetUpTestSuite() { res::InstallResources(); }
    void SetUp() override { port = sim::RegisterSimulatedPort(controller); }
    void TearDown() override { sim::UnregisterSimulatedPort(); }

    // The reply after `after` clean ones is a frame of `command` carrying `data`.
    void Reply(uint8_t command, const std::vector<uint8_t>& data, int after = 0)
    {
        controller->Faults().Set(frames::ReplyWith(command, data), 1, after);
    }
    // The controller does not answer the request after `after` answered ones.
    void Silence(int after = 0) { controller->Faults().Set({.silent = true}, 1, after); }
    Strings Boxes() const { return recorder.BoxTexts(); }
    // The command bytes of the frames the program sent, in order.
    std::vector<int> SentCommands() const
    {
        std::vector<int> commands;
        const auto& sent = controller->Received();
        for (size_t i = 0; i + 1 < sent.size(); i += static_cast<size_t>(sent[i + 1]) + 1) commands.push_back(sent[i]);
        return commands;
    }
    size_t Requests(uint8_t command) const { return frames::CountSent(controller->Received(), command); }

    WorkingDirectory directory;
    ui::testing::Recorder recorder;
    std::shared_ptr<sim::VirtualClock> clock = std::make_shared<sim::VirtualClock>();
    std::shared_ptr<sim::SimulatedController> controller = std::make_shared<sim::SimulatedController>(clock);
    std::shared_ptr<sim::PortLog> port; // what the program did to the port, and a way to break it
};

// A page's world: a shown host window and a link open on the simulated controller. The host
// shows the whole page, as a click lands only on what the screen shows.
class SimulatedPage : public SimulatedLink {
protected:
    static constexpr int kHostTemplate = 9301;

    void SetUp() override
    {
        SimulatedLink::SetUp();
        ASSERT_EQ(comm.Open(), 1);
        ui::Resources::AddDialog({.id = kHostTemplate,
            .cx = 380,
            .cy = 270,
            .fontFace = "MS Shell Dlg",
            .pointSize = 8,
            .caption = "Page host",
            .style = ui::WS_POPUP | ui::WS_CAPTION,
            .controls = {}});
        ASSERT_TRUE(host.Create());
        ui::testing::ShowAndActivate(host);
    }

    CPFCComm comm{CPFCComm::PortNamed(sim::kSimulatedPortPath)};
    ui::Dialog host{kHostTemplate};
};
