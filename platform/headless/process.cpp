// Programs "start" when their file is on the headless drive; nothing runs.
#include "platform/process.h"
#include "platform/headless/headless.h"
#include "platform/headless/process_fake.h"

#include <utility>

namespace platform::headless {

namespace {

struct Starts {
    std::vector<StartRequest> requests;
    unsigned long nextError = 0;
};

Starts& starts() {
    static Starts s;
    return s;
}

// The system reads "C:\a\\b" as "C:\a\b".
std::wstring withSingleSeparators(const std::wstring& path) {
    std::wstring single;
    for (const wchar_t c : path) {
        if (!(c == L'\\' && !single.empty() && single.back() == L'\\')) {
            single.push_back(c);
        }
    }
    return single;
}

} // namespace

void resetProcesses() {
    starts() = Starts{};
}

const std::vector<StartRequest>& startRequests() {
    return starts().requests;
}

void failNextStart(unsigned long error) {
    starts().nextError = error;
}

} // namespace platform::headless

namespace platform {

Status startProgram(const std::wstring& path) {
    constexpr unsigned long errorFileNotFound = 2;
    unsigned long error = std::exchange(headless::starts().nextError, 0UL);
    if (error == 0 &&
        (path.empty() || !headless::fileExists(headless::withSingleSeparators(path)))) {
        error = errorFileNotFound;
    }
    headless::starts().requests.push_back({path, error});
    return {error};
}

} // namespace platform
