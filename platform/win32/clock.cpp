#include "platform/clock.h"

#include <windows.h>

namespace platform {

std::int64_t secondsSinceEpoch() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const auto ticks = (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    // FILETIME counts 100 ns since 1601-01-01, 11,644,473,600 s before 1970.
    return static_cast<std::int64_t>(ticks / 10'000'000) - 11'644'473'600;
}

} // namespace platform
