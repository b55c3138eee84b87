#include "tests/e2e/about/registry_setup.h"

#include "tests/e2e/driver/check.h"

#include <memory>

namespace about_e2e {

using namespace e2e;

namespace {

constexpr bool is64Bit = sizeof(void*) == 8;

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<void, HandleCloser>;

struct KeyCloser {
    void operator()(HKEY key) const { RegCloseKey(key); }
};
using OwnedKey = std::unique_ptr<std::remove_pointer_t<HKEY>, KeyCloser>;

// Runs reg.exe with these arguments in the program's view of the registry (the
// one of its bitness, which is this test program's); its exit code.
DWORD runReg(const std::wstring& arguments) {
    std::wstring commandLine = L"reg.exe " + arguments + (is64Bit ? L" /reg:64" : L" /reg:32");
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &process)) {
        fail("could not run " + describe(commandLine) + " (error " +
             std::to_string(GetLastError()) + ")");
    }
    const OwnedHandle processHandle(process.hProcess);
    const OwnedHandle threadHandle(process.hThread);
    require(WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0,
            "reg.exe did not finish within 30 s: " + utf8(commandLine));
    DWORD code = 1;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
}

std::wstring quoted(const std::wstring& text) {
    return L"\"" + text + L"\"";
}

} // namespace

std::optional<RegisteredValue> registeredValue(const std::wstring& key, const std::wstring& name) {
    HKEY opened = nullptr;
    const REGSAM view = is64Bit ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE | view, &opened) !=
        ERROR_SUCCESS) {
        return std::nullopt;
    }
    const OwnedKey owned(opened);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExW(opened, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(data.size() * sizeof(wchar_t));
    require(RegQueryValueExW(opened, name.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(data.data()), &size) == ERROR_SUCCESS,
            "a registry value could not be read back");
    data.resize(size / sizeof(wchar_t));
    while (!data.empty() && data.back() == L'\0') {
        data.pop_back();
    }
    return RegisteredValue{type, data};
}

void removeSysInfoEntries() {
    // reg.exe fails when there is nothing to delete; what counts is the check after.
    runReg(L"delete " + quoted(L"HKLM\\" + msinfoKey) + L" /v PATH /f");
    runReg(L"delete " + quoted(L"HKLM\\" + locationKey) + L" /v MSINFO /f");
    require(!registeredValue(msinfoKey, L"PATH"), "the PATH entry could not be removed");
    require(!registeredValue(locationKey, L"MSINFO"), "the MSINFO entry could not be removed");
}

void registerValue(const std::wstring& key, const std::wstring& name, const std::wstring& type,
                   const std::wstring& data) {
    const DWORD code = runReg(L"add " + quoted(L"HKLM\\" + key) + L" /v " + name + L" /t " + type +
                              L" /d " + quoted(data) + L" /f");
    require(code == 0, "reg add of " + utf8(name) + " ended with " + std::to_string(code));
    const auto stored = registeredValue(key, name);
    require(stored.has_value(), "reg add left no value " + utf8(name));
    const DWORD expectedType = type == L"REG_EXPAND_SZ" ? REG_EXPAND_SZ : REG_SZ;
    require(stored->type == expectedType,
            "reg add stored " + utf8(name) + " with type " + std::to_string(stored->type));
    checkEqual(stored->data, data, "the value reg add stored");
}

} // namespace about_e2e
