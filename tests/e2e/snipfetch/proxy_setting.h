// The user's proxy setting (Internet Options, "use a proxy server") set for the
// programs started while this object lives, and put back afterwards.
#pragma once

#include "tests/e2e/driver/registry_value.h"

#include <string>

namespace snipfetch_e2e {

class UserProxyOverride : public e2e::RegistryValueOverride {
public:
    // server: "host:port".
    explicit UserProxyOverride(const std::string& server);
};

} // namespace snipfetch_e2e
