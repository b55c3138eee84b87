#include "platform/low_speed_limit.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

const LowSpeedLimit::Clock::time_point start{};

LowSpeedLimit curlLike() {
    return LowSpeedLimit(1024, seconds(30), start);
}

TEST(LowSpeedLimit, ATrickleFailsOnceAFullSpanBroughtTooLittle) {
    auto limit = curlLike();
    // One byte every 20 s never leaves the line silent for 30 s.
    EXPECT_TRUE(limit.keepsUp(start + seconds(20), 1));
    EXPECT_FALSE(limit.keepsUp(start + seconds(40), 2));
}

TEST(LowSpeedLimit, NothingIsJudgedBeforeTheFirstSpanIsOver) {
    auto limit = curlLike();
    EXPECT_TRUE(limit.keepsUp(start + milliseconds(29'999), 0));
    EXPECT_FALSE(limit.keepsUp(start + seconds(30), 1023));
}

TEST(LowSpeedLimit, ASteadySlowLineKeepsUpForAsLongAsItRuns) {
    auto limit = curlLike();
    // 40 bytes a second: 1,200 in every 30 s, for an hour, read as it comes.
    std::uint64_t total = 0;
    for (int tenth = 1; tenth <= 36'000; ++tenth) {
        total += 4;
        ASSERT_TRUE(limit.keepsUp(start + milliseconds(100 * tenth), total)) << tenth;
    }
}

TEST(LowSpeedLimit, AFastStartDoesNotCoverALaterStall) {
    auto limit = curlLike();
    EXPECT_TRUE(limit.keepsUp(start + seconds(1), 10'000'000));
    EXPECT_TRUE(limit.keepsUp(start + seconds(25), 10'000'100));
    // The last 30 s, from 10 s to 40 s, brought 100 bytes.
    EXPECT_FALSE(limit.keepsUp(start + seconds(40), 10'000'200));
}

TEST(LowSpeedLimit, TheSpanSlides) {
    auto limit = curlLike();
    EXPECT_TRUE(limit.keepsUp(start + seconds(10), 2000));
    EXPECT_TRUE(limit.keepsUp(start + seconds(35), 2100));  // 2,100 since the start
    EXPECT_TRUE(limit.keepsUp(start + seconds(39), 3100));  // 1,100 since 10 s
    EXPECT_FALSE(limit.keepsUp(start + seconds(70), 3200)); // 100 since 39 s
}

} // namespace
} // namespace platform
