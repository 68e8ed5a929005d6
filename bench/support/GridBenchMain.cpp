// The main of the grid benchmarks: a headless toolkit, one host dialog, the benchmarks.
#include "bench/support/GridBenchHost.h"

#include "platform/ui/Application.h"
#include "platform/ui/Dialog.h"
#include "platform/ui/Resources.h"
#include "platform/ui/Styles.h"
#include "platform/ui/testing/TestDisplay.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

constexpr int kHostDialog = 9502;
ui::Dialog* g_host = nullptr;
std::vector<std::function<void()>> g_cleanUps;

} // namespace

ui::Dialog& GridBenchHost()
{
    return *g_host;
}

void AtGridBenchExit(std::function<void()> cleanUp)
{
    g_cleanUps.push_back(std::move(cleanUp));
}

int main(int argc, char** argv)
{
    ui::testing::UseTestDisplay();
    ui::Application application(argc, argv);
    ui::Resources::AddDialog({kHostDialog, 600, 400, "MS UI Gothic", 9, "Grids", ui::WS_POPUP | ui::WS_CAPTION, 0, {}});
    ui::Dialog host(kHostDialog);
    host.Create();
    g_host = &host;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const auto& cleanUp : g_cleanUps) cleanUp();
    return 0;
}
