// A clock that stands still where the test set it.
#include "platform/clock.h"
#include "platform/headless/headless.h"

namespace platform::headless {

namespace {

constexpr std::int64_t startOf2026 = 1767225600;
std::int64_t now = startOf2026;

} // namespace

void resetClock() {
    now = startOf2026;
}

void setClock(std::int64_t secondsSinceEpoch) {
    now = secondsSinceEpoch;
}

} // namespace platform::headless

namespace platform {

std::int64_t secondsSinceEpoch() {
    return headless::now;
}

} // namespace platform
