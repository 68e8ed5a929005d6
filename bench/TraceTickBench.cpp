// The processor time of one trace tick of the main window: the live block fetched from the
// in-process simulator with the wire taken away, 24 monitor items decoded, the rows whose value
// changed written again, and the byte map page on top marking the cell the engine runs in.
// TraceTickMapPainted also shows the window and paints the map cells the tick touched, the
// trail's; the monitor list is hidden, so its rows are written but not painted.
// TraceTickPainted paints everything the tick touched: the changed values and the trail.
// TraceSoakOneHour traces for an hour of virtual time and reports memory and descriptors.
#include "app/CVelmoraDlg.h"
#include "config/ActiveProfile.h"
#include "link/CPFCComm.h"
#include "resources/ResourceIds.h"
#include "sim/ResponderConfig.h"
#include "sim/SimulatedController.h"
#include "sim/SimulatedPort.h"
#include "sim/VirtualClock.h"

#include "platform/ui/Application.h"
#include "platform/ui/ListBox.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Recorder.h"
#include "platform/ui/testing/TestDisplay.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr int kItems = 24;
constexpr ui::COLORREF kTraceYellow = ui::RGB(255, 255, 0);

// Twenty-four items over the extended live block, every kind of conversion among them.
std::string Profile()
{
    std::ostringstream text;
    text << "[Velmora]\nMonItems=" << kItems << "\nDataItems=1\n[DataItem1]\nType=0\nCommand=64\n";
    for (int n = 1; n <= kItems; ++n) {
        const int type = n % 4;
        const int address = type == 1 ? n + 8 : (n % 3) * 2;
        text << "[MonItem" << n << "]\nName=item" << n << "\nCoefficient=0.5\nOffset=1\nFormat=%5.1f\nAddress=" << address
             << "\nType=" << type << "\n";
    }
    return text.str();
}

enum class Painting { None, MapOnly, Everything };

// Resident memory, in kilobytes.
long ResidentKb()
{
    long pages = 0;
    long resident = 0;
    std::ifstream("/proc/self/statm") >> pages >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

long OpenDescriptors()
{
    const auto entries = std::filesystem::directory_iterator("/proc/self/fd");
    return static_cast<long>(std::distance(begin(entries), end(entries)));
}

// afterTick, when given, is called with the number of ticks done after each one.
void RunTicks(benchmark::State& state, Painting painting, const std::function<void(long)>& afterTick = {})
{
    const std::filesystem::path directory = std::filesystem::temp_directory_path() / ("velmora-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(directory);
    std::filesystem::current_path(directory);
    std::ofstream("Velmora.ini") << "[Ports]\nItems=1\nItem1=sim:\n[Profiles]\nItems=1\nItem1=Bench.ini\n";
    std::ofstream("Bench.ini") << Profile();

    auto clock = std::make_shared<sim::VirtualClock>();
    auto controller = std::make_shared<sim::SimulatedController>(clock);
    controller->Responder().Config().liveLength = sim::ResponderConfig::kExtendedLiveLength;
    sim::RegisterSimulatedPort(controller);
    config::TheProfile().SetProfilePath("Velmora.ini");

    CPFCComm comm;
    ui::testing::Recorder recorder;
    recorder.OnDialog(res::IDD_COMMSELECT, [](ui::Dialog&) { ui::testing::PressKey(ui::VK_RETURN); });
    recorder.OnDialog(
        res::IDD_PROFSEL, [](ui::Dialog& dialog) { ui::testing::PressKey(ui::VK_RETURN, ui::testing::None, dialog.GetDlgItem(ui::IDOK)); });
    {
        CVelmoraDlg window(comm, config::TheProfile());
        window.Create();
        const bool painted = painting != Painting::None;
        if (painted) ui::testing::ShowAndActivate(window);
        if (painting == Painting::MapOnly) window.MonitorList().ShowWindow(ui::SW_HIDE);
        window.SendMessage(ui::WM_TIMER, CVelmoraDlg::kTraceTimer, 0);
        ui::testing::ProcessEvents();
        std::vector<std::string> before;
        for (int row = 0; row < kItems; ++row) before.push_back(window.MonitorList().GetItemText(row, 1));
        long ticks = 0;
        for (auto _ : state) {
            clock->Advance(std::chrono::milliseconds(100));
            window.SendMessage(ui::WM_TIMER, CVelmoraDlg::kTraceTimer, 0);
            if (painted) ui::testing::ProcessEvents();
            if (afterTick) afterTick(++ticks);
        }
        // How many rows the run changed at all: the ticks did rewrite rows.
        int changed = 0;
        for (int row = 0; row < kItems; ++row)
            changed += window.MonitorList().GetItemText(row, 1) != before[static_cast<size_t>(row)] ? 1 : 0;
        state.counters["rows"] = window.MonitorList().GetItemCount();
        state.counters["rows_changed"] = changed;
        // The tick did reach the map: its trace cell is yellow.
        CMapGridCtrl& grid = static_cast<CMapPage*>(window.PageOfKind(0))->Grid();
        int marked = 0;
        for (int row = 1; row < grid.GetRowCount(); ++row) {
            for (int col = 1; col < grid.GetColumnCount(); ++col) marked += grid.GetCell(row, col)->GetBackColor() == kTraceYellow ? 1 : 0;
        }
        state.counters["map_cells_marked"] = marked;
    }
    sim::UnregisterSimulatedPort();
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    std::filesystem::remove_all(directory);
}
void TraceTick(benchmark::State& state)
{
    RunTicks(state, Painting::None);
}
BENCHMARK(TraceTick)->Unit(benchmark::kMicrosecond);

void TraceTickMapPainted(benchmark::State& state)
{
    RunTicks(state, Painting::MapOnly);
}
BENCHMARK(TraceTickMapPainted)->Unit(benchmark::kMicrosecond);

void TraceTickPainted(benchmark::State& state)
{
    RunTicks(state, Painting::Everything);
}
BENCHMARK(TraceTickPainted)->Unit(benchmark::kMicrosecond);

// One hour of tracing on the virtual clock, everything painted: resident memory and open
// descriptors after the first minute, and how far they went above that in the 59 after.
void TraceSoakOneHour(benchmark::State& state)
{
    constexpr long kTicksPerMinute = 600;
    long settledKb = 0;
    long highestKb = 0;
    long settledFds = 0;
    long highestFds = 0;
    RunTicks(state, Painting::Everything, [&](long tick) {
        if (tick % kTicksPerMinute != 0) return;
        const long kb = ResidentKb();
        const long fds = OpenDescriptors();
        if (tick == kTicksPerMinute) {
            settledKb = highestKb = kb;
            settledFds = highestFds = fds;
        }
        highestKb = std::max(highestKb, kb);
        highestFds = std::max(highestFds, fds);
    });
    state.counters["rss_after_1min_kb"] = static_cast<double>(settledKb);
    state.counters["rss_growth_after_kb"] = static_cast<double>(highestKb - settledKb);
    state.counters["fds_after_1min"] = static_cast<double>(settledFds);
    state.counters["fd_growth_after"] = static_cast<double>(highestFds - settledFds);
}
BENCHMARK(TraceSoakOneHour)->Iterations(36000)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    ui::testing::UseTestDisplay();
    ui::Application application(argc, argv);
    res::InstallResources();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
