#include "platform/low_speed_limit.h"

namespace platform {

namespace {

// Samples closer together than this are not kept: a fast transfer reads many
// times a second, and an older baseline only makes the rule more lenient.
constexpr auto sampleSpacing = std::chrono::seconds(1);

} // namespace

LowSpeedLimit::LowSpeedLimit(std::uint64_t minimumBytes, Clock::duration span,
                             Clock::time_point start)
    : minimumBytes_(minimumBytes), span_(span) {
    samples_.push_back({start, 0});
}

bool LowSpeedLimit::keepsUp(Clock::time_point now, std::uint64_t total) {
    const auto spanStart = now - span_;
    // Keep one sample at or before the span's start: the total the span is measured from.
    while (samples_.size() > 1 && samples_[1].time <= spanStart) {
        samples_.pop_front();
    }
    const Sample& baseline = samples_.front();
    if (baseline.time <= spanStart && total - baseline.total < minimumBytes_) {
        return false;
    }
    if (now - samples_.back().time >= sampleSpacing) {
        samples_.push_back({now, total});
    }
    return true;
}

} // namespace platform
