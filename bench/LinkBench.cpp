// How much time the link adds to the wire: whole exchanges through CPFCComm against the paced
// simulator behind a pseudo-terminal, as a ratio to the time their bytes need at 19200 baud
// 8E1; and the processor time of one exchange with the wire taken away.
#include "link/CPFCComm.h"
#include "sim/PortLog.h"
#include "sim/PtyServer.h"
#include "sim/RealClock.h"
#include "sim/ResponderConfig.h"
#include "sim/SimulatedController.h"
#include "sim/SimulatedPort.h"
#include "sim/VirtualClock.h"
#include "sim/WirePacing.h"

#include <benchmark/benchmark.h>

#include <array>
#include <chrono>
#include <thread>

namespace {

constexpr uint8_t kLiveData = 0xF0;
constexpr uint8_t kAxes = 0x8A;
constexpr uint8_t kByteMap = sim::ResponderConfig::kFirstByteMap;
constexpr int kByteMapParts = 4;
constexpr int kNoData = 2;
constexpr size_t kRequestBytes = 3;
constexpr size_t kLiveReplyBytes = 33;
constexpr size_t kMapReplyBytes = 103;
constexpr size_t kAxesReplyBytes = 83;

// The paced simulator served from its own thread, and the link opened on its terminal.
class PtyRig {
public:
    PtyRig()
    {
        controller.Pacing().SetPaced(true);
        if (server.Open()) {
            serving = std::thread([this] { server.Serve(); });
            comm.SetPortChooser(CPFCComm::PortNamed(server.DevicePath()));
            comm.Open();
        }
    }
    ~PtyRig()
    {
        if (serving.joinable()) {
            server.Stop();
            serving.join();
        }
    }

    static PtyRig& Get()
    {
        static PtyRig rig;
        return rig;
    }

    sim::SimulatedController controller{std::make_shared<sim::RealClock>()};
    sim::PtyServer server{controller};
    std::thread serving;
    CPFCComm comm;
};

// Runs `exchange` per iteration, timed on the wall clock, and reports the ratio to the wire.
template <typename Exchange> void MeasureAgainstWire(benchmark::State& state, size_t wireBytes, Exchange exchange)
{
    PtyRig& rig = PtyRig::Get();
    if (!rig.comm.IsOpen()) {
        state.SkipWithError("no pseudo-terminal");
        return;
    }
    const double wire = std::chrono::duration<double>(sim::WirePacing(true).TimeFor(wireBytes)).count();
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const bool ok = exchange(rig.comm);
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        state.SetIterationTime(elapsed);
        total += elapsed;
        if (!ok) {
            state.SkipWithError("exchange failed");
            return;
        }
    }
    state.counters["wire_ms"] = wire * 1000;
    state.counters["ratio_to_wire"] = total / (static_cast<double>(state.iterations()) * wire);
}

void LiveDataExchangeOverPty(benchmark::State& state)
{
    std::array<uint8_t, CPFCComm::kBufferSize> data{};
    MeasureAgainstWire(
        state, kRequestBytes + kLiveReplyBytes, [&](CPFCComm& comm) { return comm.Transact(kLiveData, kNoData, data.data()) > 0; });
}
BENCHMARK(LiveDataExchangeOverPty)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);

void ByteMapReadOverPty(benchmark::State& state)
{
    std::array<uint8_t, CPFCComm::kBufferSize> data{};
    MeasureAgainstWire(state, kByteMapParts * (kRequestBytes + kMapReplyBytes), [&](CPFCComm& comm) {
        for (int k = 0; k < kByteMapParts; ++k) {
            if (comm.Transact(static_cast<uint8_t>(kByteMap + k), kNoData, data.data()) <= 0) {
                return false;
            }
        }
        return true;
    });
}
BENCHMARK(ByteMapReadOverPty)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

void AxisReadOverPty(benchmark::State& state)
{
    std::array<uint8_t, CPFCComm::kBufferSize> data{};
    MeasureAgainstWire(
        state, kRequestBytes + kAxesReplyBytes, [&](CPFCComm& comm) { return comm.Transact(kAxes, kNoData, data.data()) > 0; });
}
BENCHMARK(AxisReadOverPty)->UseManualTime()->Iterations(40)->Unit(benchmark::kMillisecond);

// The link's and the simulator's own work for one live data exchange, no wire, virtual clock.
void LiveDataExchangeInProcess(benchmark::State& state)
{
    auto controller = std::make_shared<sim::SimulatedController>(std::make_shared<sim::VirtualClock>());
    sim::RegisterSimulatedPort(controller);
    CPFCComm comm(CPFCComm::PortNamed(sim::kSimulatedPortPath));
    if (comm.Open() != 1) {
        state.SkipWithError("simulated port did not open");
        return;
    }
    std::array<uint8_t, CPFCComm::kBufferSize> data{};
    for (auto _ : state) {
        if (comm.Transact(kLiveData, kNoData, data.data()) <= 0) {
            state.SkipWithError("exchange failed");
            break;
        }
        controller->ClearReceived();
        benchmark::DoNotOptimize(data);
    }
    sim::UnregisterSimulatedPort();
}
BENCHMARK(LiveDataExchangeInProcess)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
