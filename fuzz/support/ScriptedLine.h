#pragma once

#include "platform/serial/SerialDevice.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The far end of a serial line as a fuzz input describes it: the bytes the controller sends,
// reads that find nothing before some of them, and whether the line breaks once every byte
// has gone. It also keeps what the host did during the exchange in progress.
//
// Layout: [g: gap count in bits 0-3, bit 7 breaks the line at the end], then g pairs
// [position in the bytes][empty reads - 1, bits 0-2], then the bytes.
class ScriptedLine {
public:
    explicit ScriptedLine(std::span<const uint8_t> script);

    // What the next read of the host meets.
    serial::ReadResult Read(uint8_t& byte);
    // A request left the host: a new exchange begins.
    void Written(std::span<const uint8_t> frame);

    // Of the exchange in progress.
    std::span<const uint8_t> Received() const;
    int EmptyReads() const { return m_emptyReads; }
    bool Broke() const { return m_broke; }
    const std::vector<uint8_t>& LastWrite() const { return m_lastWrite; }

    // Every byte was read and no gap is left.
    bool Exhausted() const { return m_next == m_bytes.size() && m_gapsBefore[m_next] == 0; }

private:
    std::vector<uint8_t> m_bytes;
    std::vector<int> m_gapsBefore; // empty reads still due before each byte, and after the last
    bool m_breaksAtEnd = false;
    size_t m_next = 0;

    size_t m_exchangeStart = 0;
    int m_emptyReads = 0;
    bool m_broke = false;
    std::vector<uint8_t> m_lastWrite;
};
