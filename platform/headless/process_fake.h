// The headless program starter: it records every request and starts nothing.
#pragma once

#include <string>
#include <vector>

namespace platform::headless {

struct StartRequest {
    std::wstring path;
    unsigned long error = 0; // what the request returned, 0 when "started"
};
const std::vector<StartRequest>& startRequests();

// A request succeeds when the path names a file of the headless drive; this
// makes the next one fail with the given OS error instead.
void failNextStart(unsigned long error);

} // namespace platform::headless
