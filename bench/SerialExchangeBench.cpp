// Time of one exchange (the engine code's request and its whole reply) over a serial port, beside
// the time its bytes take on the wire: bench_serial_exchange PORT [COUNT]. PORT is a device, the
// terminal velmora-sim serves, or on Windows a COM port (Wine can map one to that terminal).
#include "platform/serial/SerialDevice.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr const char* kLineMode = "baud=19200 parity=e data=8 stop=1";
constexpr double kBitsPerByte = 11; // start, 8 data, parity, stop
constexpr double kBaud = 19200;
// The link's: a read returns as soon as a byte is there, or empty after 101 ms.
constexpr serial::CommTimeouts kTimeouts{0xFFFFFFFF, 1, 100, 1, 100};
const std::vector<uint8_t> kRequest{0xF3, 0x02, 0x0A};
constexpr size_t kReplyLength = 11;

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_serial_exchange PORT [COUNT]\n");
        return 2;
    }
    const int count = argc > 2 ? std::max(1, std::atoi(argv[2])) : 50;
    serial::PortError why = serial::PortError::None;
    const auto device = serial::SerialDevice::Open(argv[1], why);
    serial::LineSettings line;
    if (!device || !serial::ParseModeString(kLineMode, line) || !device->SetLineSettings(line) || !device->SetTimeouts(kTimeouts)) {
        std::fprintf(stderr, "bench_serial_exchange: cannot open and set up %s (%d)\n", argv[1], static_cast<int>(why));
        return 1;
    }
    std::vector<double> milliseconds;
    for (int i = 0; i < count; ++i) {
        device->Purge();
        const auto start = std::chrono::steady_clock::now();
        if (device->Write(kRequest) != static_cast<int>(kRequest.size())) return 1;
        size_t received = 0;
        uint8_t byte = 0;
        while (received < kReplyLength && device->ReadByte(byte) == serial::ReadResult::Byte) ++received;
        if (received != kReplyLength) {
            std::fprintf(stderr, "bench_serial_exchange: exchange %d got %zu of %zu bytes\n", i + 1, received, kReplyLength);
            return 1;
        }
        milliseconds.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::ranges::sort(milliseconds);
    const double wire = 1000.0 * kBitsPerByte * static_cast<double>(kRequest.size() + kReplyLength) / kBaud;
    std::printf("%d exchanges on %s: median %.1f ms, fastest %.1f ms, slowest %.1f ms; on the wire alone %.1f ms\n", count, argv[1],
        milliseconds[milliseconds.size() / 2], milliseconds.front(), milliseconds.back(), wire);
    return 0;
}
