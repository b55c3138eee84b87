// Registry values as the tests read them and set them for the programs they
// start, in this process's view of the registry (the programs have its bitness).
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace e2e {

struct RegistryValue {
    DWORD type = REG_NONE;
    std::string bytes; // as stored
};

// The value; nothing when it or its key is missing.
std::optional<RegistryValue> readRegistryValue(HKEY root, const std::wstring& key,
                                               const std::wstring& name);

// Sets a value for the programs started while this object lives; puts the earlier
// one back, or removes it, when it ends.
class RegistryValueOverride {
public:
    RegistryValueOverride(HKEY root, std::wstring key, std::wstring name,
                          const RegistryValue& value);
    ~RegistryValueOverride();
    RegistryValueOverride(const RegistryValueOverride&) = delete;
    RegistryValueOverride& operator=(const RegistryValueOverride&) = delete;

private:
    HKEY root_;
    std::wstring key_;
    std::wstring name_;
    std::optional<RegistryValue> previous_;
};

} // namespace e2e
