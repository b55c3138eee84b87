// Bounded polling: the end-to-end tests never sleep for a fixed time to let the
// program catch up; they poll for the state they expect, with a limit.
#pragma once

#include <windows.h>

#include <chrono>

namespace e2e {

using std::chrono::milliseconds;

constexpr milliseconds defaultTimeout{5000};
constexpr milliseconds pollInterval{15};

// True as soon as condition() is true; false when it is still false after timeout.
template <class Condition>
bool waitUntil(Condition condition, milliseconds timeout = defaultTimeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (condition()) {
            return true;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        Sleep(static_cast<DWORD>(pollInterval.count()));
    }
}

// True when condition() stayed false for the whole period: for things that must
// not happen, such as a second message box.
template <class Condition> bool staysFalse(Condition condition, milliseconds period) {
    return !waitUntil(condition, period);
}

// Time since it was made.
class Stopwatch {
public:
    milliseconds elapsed() const {
        return std::chrono::duration_cast<milliseconds>(std::chrono::steady_clock::now() - start_);
    }
    double seconds() const { return static_cast<double>(elapsed().count()) / 1000; }

private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

} // namespace e2e
