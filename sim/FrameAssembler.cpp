#include "sim/FrameAssembler.h"

#include "sim/FrameCodec.h"

namespace sim {

namespace {

constexpr size_t kHeaderSize = 2; // command and length byte
constexpr size_t kLengthAt = 1;
constexpr size_t kDataAt = 2;

} // namespace

std::optional<Frame> FrameAssembler::Push(uint8_t byte)
{
    m_bytes.push_back(byte);
    if (m_bytes.size() < kHeaderSize || m_bytes.size() <= m_bytes[kLengthAt]) {
        return std::nullopt;
    }
    std::optional<Frame> frame;
    if (FrameCodec::SumsCorrectly(m_bytes)) {
        frame = Frame{m_bytes[0], {}};
        const size_t length = m_bytes[kLengthAt];
        if (length > FrameCodec::kOverhead) {
            frame->data.assign(m_bytes.begin() + kDataAt, m_bytes.begin() + static_cast<long>(length));
        }
    }
    m_bytes.clear();
    return frame;
}

} // namespace sim
