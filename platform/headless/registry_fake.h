// The headless registry: keys and values that tests put in, read through the
// functions of platform/registry.h with the result codes of the real system.
#pragma once

#include "platform/registry.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform::headless::registry {

using platform::registry::Key;

// Makes the key and every key above it. Paths are below a predefined root,
// parts separated by "\", letter case ignored.
void addKey(Key root, const std::wstring& path);

// Sets a value of any type to exactly these bytes, making its key when needed.
void setValue(Key root, const std::wstring& keyPath, const std::wstring& name, unsigned long type,
              std::string_view bytes);

// A REG_SZ value as the system stores text: the ANSI bytes and one NUL.
void setText(Key root, const std::wstring& keyPath, const std::wstring& name,
             const std::string& ansiText);

// Opening this key with any right beyond reading fails with access denied, as
// for a user without write rights.
void makeReadOnly(Key root, const std::wstring& keyPath);

// Calls of this function ("RegOpenKeyExA", "RegQueryValueExA", "RegCloseKey")
// fail as if advapi32 did not export it.
void makeUnbound(std::string_view functionName);

// The process environment that REG_EXPAND_SZ references resolve against.
void setEnvironmentVariable(const std::wstring& name, const std::wstring& value);

// What the code under test did.
struct OpenRequest {
    std::wstring path; // full path below its root, as asked for
    unsigned long access = 0;
};
const std::vector<OpenRequest>& openRequests();
int keysLeftOpen();

} // namespace platform::headless::registry
