// The user's proxy setting (Internet Options, "use a proxy server") set for the
// programs started while this object lives, and put back afterwards.
#pragma once

#include <optional>
#include <string>

namespace snipfetch_e2e {

class UserProxyOverride {
public:
    // server: "host:port".
    explicit UserProxyOverride(const std::string& server);
    ~UserProxyOverride();
    UserProxyOverride(const UserProxyOverride&) = delete;
    UserProxyOverride& operator=(const UserProxyOverride&) = delete;

private:
    std::optional<std::string> previous_; // the earlier binary value, when there was one
};

} // namespace snipfetch_e2e
