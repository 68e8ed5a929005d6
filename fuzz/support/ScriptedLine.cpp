#include "fuzz/support/ScriptedLine.h"

namespace {

constexpr uint8_t kGapCountMask = 0x0F;
constexpr uint8_t kBreaksAtEnd = 0x80;
constexpr uint8_t kGapLengthMask = 0x07;

} // namespace

ScriptedLine::ScriptedLine(std::span<const uint8_t> script)
{
    if (script.empty()) {
        m_gapsBefore.assign(1, 0);
        return;
    }
    const size_t gaps = script[0] & kGapCountMask;
    m_breaksAtEnd = (script[0] & kBreaksAtEnd) != 0;
    script = script.subspan(1);
    const std::span<const uint8_t> pairs = script.first(std::min(2 * gaps, script.size() & ~size_t{1}));
    m_bytes.assign(script.begin() + static_cast<std::ptrdiff_t>(pairs.size()), script.end());
    m_gapsBefore.assign(m_bytes.size() + 1, 0);
    for (size_t i = 0; i + 1 < pairs.size(); i += 2) {
        m_gapsBefore[std::min<size_t>(pairs[i], m_bytes.size())] += (pairs[i + 1] & kGapLengthMask) + 1;
    }
}

serial::ReadResult ScriptedLine::Read(uint8_t& byte)
{
    if (m_gapsBefore[m_next] > 0) {
        --m_gapsBefore[m_next];
        ++m_emptyReads;
        return serial::ReadResult::Empty;
    }
    if (m_next < m_bytes.size()) {
        byte = m_bytes[m_next++];
        return serial::ReadResult::Byte;
    }
    if (m_breaksAtEnd) {
        m_broke = true;
        return serial::ReadResult::Failed;
    }
    ++m_emptyReads;
    return serial::ReadResult::Empty;
}

void ScriptedLine::Written(std::span<const uint8_t> frame)
{
    m_lastWrite.assign(frame.begin(), frame.end());
    m_exchangeStart = m_next;
    m_emptyReads = 0;
    m_broke = false;
}

std::span<const uint8_t> ScriptedLine::Received() const
{
    return std::span(m_bytes).subspan(m_exchangeStart, m_next - m_exchangeStart);
}
