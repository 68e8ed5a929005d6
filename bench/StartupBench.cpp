// Start-up of the demo profile against the simulated controller behind a pseudo-terminal at
// wire pacing: from the main window's creation to the window ready with every map read, as a
// ratio to the time the bytes of its exchanges need on the wire. The two dialogs are answered
// at once, as a user who only presses Return would.
#include "app/CVelmoraDlg.h"
#include "config/ActiveProfile.h"
#include "link/CPFCComm.h"
#include "resources/ResourceIds.h"
#include "sim/PtyServer.h"
#include "sim/RealClock.h"
#include "sim/SimulatedController.h"
#include "sim/WirePacing.h"

#include "platform/ui/Application.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/Recorder.h"
#include "platform/ui/testing/TestDisplay.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <map>
#include <thread>
#include <unistd.h>

namespace {

// Reply sizes on the wire, by command: identity, live block, password, axes; a map part
// otherwise.
const std::map<uint8_t, size_t> kReplyBytes = {{0xF3, 11}, {0xF5, 8}, {0xF0, 33}, {0xAD, 11}, {0x8A, 83}};
constexpr size_t kMapPartReplyBytes = 103;

// Bytes both ways for the requests the controller received.
size_t WireBytes(const std::vector<uint8_t>& requests)
{
    size_t bytes = 0;
    for (size_t at = 0; at + 1 < requests.size(); at += static_cast<size_t>(requests[at + 1]) + 1) {
        const auto reply = kReplyBytes.find(requests[at]);
        bytes += static_cast<size_t>(requests[at + 1]) + 1 + (reply != kReplyBytes.end() ? reply->second : kMapPartReplyBytes);
    }
    return bytes;
}

void StartupAtWirePace(benchmark::State& state)
{
    const std::filesystem::path examples = VELMORA_EXAMPLES_DIR;
    const std::filesystem::path directory = std::filesystem::temp_directory_path() / ("velmora-startup-" + std::to_string(getpid()));
    double ratio = 0;
    double wire = 0;
    for (auto _ : state) {
        std::filesystem::create_directories(directory);
        std::filesystem::copy_file(examples / "Demo.ini", directory / "Demo.ini", std::filesystem::copy_options::overwrite_existing);
        sim::SimulatedController controller{std::make_shared<sim::RealClock>()};
        controller.Pacing().SetPaced(true);
        sim::PtyServer server{controller};
        if (!server.Open()) {
            state.SkipWithError("no pseudo-terminal");
            break;
        }
        std::thread serving([&server] { server.Serve(); });
        std::ofstream(directory / "Velmora.ini")
            << "[Ports]\nItems=1\nItem1=" << server.DevicePath() << "\n[Profiles]\nItems=1\nItem1=Demo.ini\n";
        std::filesystem::current_path(directory);
        config::TheProfile().SetProfilePath("Velmora.ini");

        ui::testing::Recorder recorder;
        recorder.OnDialog(res::IDD_COMMSELECT, [](ui::Dialog&) { ui::testing::PressKey(ui::VK_RETURN); });
        recorder.OnDialog(res::IDD_PROFSEL, [](ui::Dialog&) { ui::testing::PressKey(ui::VK_RETURN); });
        const auto start = std::chrono::steady_clock::now();
        {
            CPFCComm comm;
            CVelmoraDlg window(comm, config::TheProfile());
            window.Create();
            const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            state.SetIterationTime(seconds);
            std::vector<uint8_t> received;
            server.WithController([&received](sim::SimulatedController& c) { received = c.Received(); });
            wire = std::chrono::duration<double>(sim::WirePacing(true).TimeFor(WireBytes(received))).count();
            ratio = seconds / wire;
            if (!recorder.Boxes().empty()) state.SkipWithError(recorder.Boxes()[0].text.c_str());
        }
        server.Stop();
        serving.join();
        std::filesystem::current_path(std::filesystem::temp_directory_path());
        std::filesystem::remove_all(directory);
    }
    state.counters["wire_s"] = wire;
    state.counters["ratio"] = ratio;
}
BENCHMARK(StartupAtWirePace)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

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
