// Sets a flag for a scope and restores the earlier value: a peer marks the
// changes it makes itself, so the notifications they raise are not taken for the
// user's.
#pragma once

#include <utility>

namespace platform::win32 {

class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), previous_(std::exchange(flag, true)) {}
    ~FlagScope() { flag_ = previous_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool previous_;
};

} // namespace platform::win32
