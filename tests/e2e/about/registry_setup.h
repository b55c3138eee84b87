// The System Information entries of the test prefix's registry, set with Wine's
// reg.exe in the registry view of the program under test.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace about_e2e {

const std::wstring msinfoKey = L"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::wstring locationKey = L"SOFTWARE\\Microsoft\\Shared Tools Location";

// Removes both entries ("PATH" and "MSINFO"), and checks that they are gone.
void removeSysInfoEntries();

// Sets a value below HKEY_LOCAL_MACHINE with "reg add" and checks it reads back.
void registerValue(const std::wstring& key, const std::wstring& name, const std::wstring& type,
                   const std::wstring& data);

struct RegisteredValue {
    DWORD type = 0;
    std::wstring data; // as stored: environment references not expanded
};
std::optional<RegisteredValue> registeredValue(const std::wstring& key, const std::wstring& name);

} // namespace about_e2e
