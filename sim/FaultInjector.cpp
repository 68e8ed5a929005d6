#include "sim/FaultInjector.h"

#include <algorithm>

namespace sim {

namespace {

constexpr size_t kLengthAt = 1;

} // namespace

void FaultInjector::Set(FaultPlan plan, int replies, int cleanReplies)
{
    m_plan = std::move(plan);
    m_remaining = replies;
    m_cleanFirst = cleanReplies;
}

std::optional<Transmission> FaultInjector::Apply(std::vector<uint8_t> frame)
{
    if (m_remaining == 0) {
        m_plan = {};
        m_remaining = kEveryReply;
    }
    const bool clean = m_cleanFirst > 0;
    const FaultPlan plan = clean ? FaultPlan{} : m_plan;
    if (clean) {
        --m_cleanFirst;
    } else if (m_remaining > 0) {
        --m_remaining;
    }

    if (plan.silent) {
        frame.clear();
    }
    if (plan.badChecksum && !frame.empty()) {
        ++frame.back();
    }
    if (frame.size() > kLengthAt) {
        frame[kLengthAt] = static_cast<uint8_t>(frame[kLengthAt] + plan.lengthOffBy);
    }
    frame.resize(frame.size() - std::min(plan.truncateBy, frame.size()));

    Transmission out;
    out.bytes = plan.strayBytes;
    out.bytes.insert(out.bytes.end(), frame.begin(), frame.end());
    if (out.bytes.empty()) {
        return std::nullopt;
    }
    out.gapBefore.assign(out.bytes.size(), Duration{});
    out.gapBefore.front() += plan.lateBy;
    for (const Pause& pause : plan.pauses) {
        if (pause.beforeByte < out.gapBefore.size()) {
            out.gapBefore[pause.beforeByte] += pause.length;
        }
    }
    return out;
}

} // namespace sim
