// The system's clock, in UTC.
#pragma once

#include <cstdint>

namespace platform {

// Whole seconds since 1970-01-01T00:00:00Z.
std::int64_t secondsSinceEpoch();

} // namespace platform
