// The link's reading of a reply: whatever bytes the line brings, with empty reads between
// them and a line that may break, each exchange ends in the right result, copies exactly the
// reply's data bytes and never reads or writes past a frame.
//
// Input: [command][request length][line script, see ScriptedLine].

#include "fuzz/support/Check.h"
#include "fuzz/support/ScriptedLine.h"
#include "fuzz/support/ScriptedPort.h"
#include "link/CPFCComm.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <vector>

namespace {

constexpr char kPortPath[] = "fuzz:";
constexpr int kMaxExchanges = 64;
constexpr int kEmptyReadAllowance = 5;
constexpr uint8_t kFrameSum = 0xFF;

uint8_t Sum(std::span<const uint8_t> bytes)
{
    return static_cast<uint8_t>(std::accumulate(bytes.begin(), bytes.end(), 0u));
}

// The bytes a reply takes on the line: up to its checksum, and never fewer than two.
size_t FrameSize(uint8_t lengthByte)
{
    return std::max<size_t>(size_t{lengthByte} + 1, 2);
}

void CheckRequest(const ScriptedLine& line, uint8_t command, int length, const std::vector<uint8_t>& data)
{
    const std::vector<uint8_t>& sent = line.LastWrite();
    const int frameLength = std::clamp(length, 2, 255);
    FUZZ_CHECK(sent.size() == static_cast<size_t>(frameLength) + 1);
    FUZZ_CHECK(sent[0] == command && sent[1] == frameLength);
    FUZZ_CHECK(Sum(sent) == kFrameSum);
    FUZZ_CHECK(std::equal(sent.begin() + 2, sent.end() - 1, data.begin()));
}

void CheckReply(const ScriptedLine& line, int result, const std::vector<uint8_t>& before, const std::vector<uint8_t>& after)
{
    const std::span<const uint8_t> received = line.Received();
    FUZZ_CHECK(line.EmptyReads() <= kEmptyReadAllowance);
    if (result >= 0) {
        FUZZ_CHECK(result <= 255);
        FUZZ_CHECK(received.size() == FrameSize(static_cast<uint8_t>(result)) && received[1] == result);
        FUZZ_CHECK(Sum(received) == kFrameSum);
        FUZZ_CHECK(line.EmptyReads() < kEmptyReadAllowance && !line.Broke());
        std::vector<uint8_t> expected = before;
        if (result > 2) std::copy(received.begin() + 2, received.begin() + result, expected.begin());
        FUZZ_CHECK(after == expected);
        return;
    }
    FUZZ_CHECK(after == before);
    switch (result) {
    case CPFCComm::kChecksumError:
        FUZZ_CHECK(received.size() >= 2 && received.size() == FrameSize(received[1]));
        FUZZ_CHECK(Sum(received) != kFrameSum);
        FUZZ_CHECK(line.EmptyReads() < kEmptyReadAllowance && !line.Broke());
        break;
    case CPFCComm::kTimeout:
        FUZZ_CHECK(line.EmptyReads() == kEmptyReadAllowance && !line.Broke());
        FUZZ_CHECK(received.size() < 2 || received.size() < FrameSize(received[1]));
        break;
    case CPFCComm::kCommError: FUZZ_CHECK(line.Broke()); break;
    default: FUZZ_CHECK(!"an unknown result");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* input, size_t size)
{
    if (size < 2) return 0;
    const uint8_t command = input[0];
    const int length = input[1];
    ScriptedLine line(std::span(input + 2, size - 2));
    serial::SerialDevice::RegisterOpener(kPortPath, [&line](serial::PortError&) { return std::make_unique<ScriptedPort>(line); });

    CPFCComm comm(CPFCComm::PortNamed(kPortPath));
    FUZZ_CHECK(comm.Open() == 1);
    for (int exchange = 0; exchange < kMaxExchanges; ++exchange) {
        // Exactly the room the link asks for, so a byte past it is caught.
        std::vector<uint8_t> data(CPFCComm::kMaxData);
        std::iota(data.begin(), data.end(), static_cast<uint8_t>(exchange * 37));
        const std::vector<uint8_t> before = data;
        const int result = comm.Transact(command, length, data.data());
        FUZZ_CHECK(!comm.IsBusy());
        CheckRequest(line, command, length, before);
        CheckReply(line, result, before, data);
        if (result < 0 && line.Exhausted()) break;
    }
    serial::SerialDevice::RegisterOpener(kPortPath, {});
    return 0;
}
