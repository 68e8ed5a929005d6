#pragma once

#include "sim/FaultPlan.h"

#include <optional>
#include <vector>

namespace sim {

// Turns a reply frame into what actually goes out, damaged as the current plan says. A plan
// holds for a number of replies, or for all of them.
class FaultInjector {
public:
    static constexpr int kEveryReply = -1;

    // The plan starts after `cleanReplies` more replies have gone out untouched.
    void Set(FaultPlan plan, int replies = kEveryReply, int cleanReplies = 0);

    // Nothing when the line stays quiet; uses up one reply of the plan.
    std::optional<Transmission> Apply(std::vector<uint8_t> frame);

private:
    FaultPlan m_plan;
    int m_remaining = kEveryReply;
    int m_cleanFirst = 0;
};

} // namespace sim
