// A transfer that keeps trickling never trips a silence timeout; this rule ends
// it: one that receives fewer than `minimumBytes` within any `span` has stalled.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>

namespace platform {

class LowSpeedLimit {
public:
    using Clock = std::chrono::steady_clock;

    LowSpeedLimit(std::uint64_t minimumBytes, Clock::duration span, Clock::time_point start);

    // `total` bytes have arrived by `now` (never less than before). False once
    // the last `span` up to `now` brought fewer than `minimumBytes`; the first
    // span starts at `start`.
    bool keepsUp(Clock::time_point now, std::uint64_t total);

private:
    struct Sample {
        Clock::time_point time;
        std::uint64_t total;
    };
    std::uint64_t minimumBytes_;
    Clock::duration span_;
    // Oldest first; the front is the latest sample at least one span old, or the start.
    std::deque<Sample> samples_;
};

} // namespace platform
