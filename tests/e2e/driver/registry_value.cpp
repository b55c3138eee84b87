#include "tests/e2e/driver/registry_value.h"

#include "tests/e2e/driver/check.h"

namespace e2e {

namespace {

bool write(HKEY root, const std::wstring& key, const std::wstring& name,
           const RegistryValue& value) {
    return RegSetKeyValueW(root, key.c_str(), name.c_str(), value.type, value.bytes.data(),
                           static_cast<DWORD>(value.bytes.size())) == ERROR_SUCCESS;
}

} // namespace

std::optional<RegistryValue> readRegistryValue(HKEY root, const std::wstring& key,
                                               const std::wstring& name) {
    RegistryValue value;
    DWORD size = 0;
    const DWORD flags = RRF_RT_ANY | RRF_NOEXPAND;
    if (RegGetValueW(root, key.c_str(), name.c_str(), flags, &value.type, nullptr, &size) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    value.bytes.resize(size);
    require(RegGetValueW(root, key.c_str(), name.c_str(), flags, nullptr, value.bytes.data(),
                         &size) == ERROR_SUCCESS,
            "the registry value " + utf8(name) + " could not be read");
    value.bytes.resize(size);
    return value;
}

RegistryValueOverride::RegistryValueOverride(HKEY root, std::wstring key, std::wstring name,
                                             const RegistryValue& value)
    : root_(root), key_(std::move(key)), name_(std::move(name)),
      previous_(readRegistryValue(root_, key_, name_)) {
    require(write(root_, key_, name_, value), "could not set the registry value " + utf8(name_));
}

RegistryValueOverride::~RegistryValueOverride() {
    // Reported, not thrown: this runs while a failed case unwinds too.
    check(previous_ ? write(root_, key_, name_, *previous_)
                    : RegDeleteKeyValueW(root_, key_.c_str(), name_.c_str()) == ERROR_SUCCESS,
          "could not put back the registry value " + utf8(name_));
}

} // namespace e2e
