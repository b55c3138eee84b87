// GetKeyValue and the program starter against the real registry and process
// functions under Wine: values written here with the system's own calls below a
// throwaway key of HKEY_CURRENT_USER.
#include "platform/process.h"
#include "platform/registry.h"
#include "snipforge/about_window.h"
#include "tests/e2e/driver/app_process.h"
#include "tests/e2e/driver/check.h"

#include <windows.h>

#include <string>

namespace {

using namespace e2e;
using snipforge::AboutWindow;

const std::wstring testKey = L"Software\\snipforge e2e\\values";

// The throwaway key, made afresh and removed at the end.
class ThrowawayKey {
public:
    ThrowawayKey() {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\snipforge e2e");
        require(RegCreateKeyExW(HKEY_CURRENT_USER, testKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &key_, nullptr) == ERROR_SUCCESS,
                "could not make the test key");
    }
    ~ThrowawayKey() {
        RegCloseKey(key_);
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\snipforge e2e");
    }
    ThrowawayKey(const ThrowawayKey&) = delete;
    ThrowawayKey& operator=(const ThrowawayKey&) = delete;

    void set(const char* name, DWORD type, const std::string& bytes) {
        require(RegSetValueExA(key_, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                               static_cast<DWORD>(bytes.size())) == ERROR_SUCCESS,
                std::string("could not set the value ") + name);
    }

private:
    HKEY key_ = nullptr;
};

struct Read {
    bool found;
    std::wstring text;
};

Read read(const wchar_t* name) {
    std::wstring text = L"stale";
    const bool found =
        AboutWindow::GetKeyValue(platform::registry::currentUser, testKey, name, text);
    return {found, text};
}

void expectRead(const wchar_t* name, const std::wstring& expected) {
    const auto result = read(name);
    check(result.found, "value " + utf8(name) + " is read");
    checkEqual(result.text, expected, "text of value " + utf8(name));
}

void expectAbsent(const wchar_t* name) {
    const auto result = read(name);
    check(!result.found, "value " + utf8(name) + " counts as absent");
    checkEqual(result.text, L"", "text of absent value " + utf8(name));
}

E2E_CASE(registry, values_read_through_advapi32) {
    ThrowawayKey key;
    key.set("fits", REG_SZ, std::string(1023, 'a') + '\0');
    key.set("too long", REG_SZ, std::string(1024, 'b') + '\0');
    key.set("no nul", REG_SZ, "abc");
    key.set("ansi", REG_SZ, std::string("Caf\xE9") + '\0');
    key.set("empty", REG_SZ, std::string(1, '\0'));
    key.set("no data", REG_SZ, "");
    key.set("dword", REG_DWORD, "\x78\x56\x34\x12");
    key.set("expand", REG_EXPAND_SZ, std::string("%SystemRoot%\\x.exe") + '\0');
    key.set("binary", REG_BINARY, "C:\\x");

    expectRead(L"fits", std::wstring(1023, L'a'));
    expectAbsent(L"too long");
    expectRead(L"no nul", L"abc");
    expectRead(L"ANSI", L"Caf\u00E9");
    expectRead(L"empty", L"");
    expectAbsent(L"no data");
    expectRead(L"dword", L"&h12345678");
    wchar_t systemRoot[MAX_PATH] = {};
    require(GetEnvironmentVariableW(L"SystemRoot", systemRoot, MAX_PATH) > 0, "SystemRoot is set");
    expectRead(L"expand", std::wstring(systemRoot) + L"\\x.exe");
    expectAbsent(L"binary");
    expectAbsent(L"missing");

    std::wstring text = L"stale";
    check(!AboutWindow::GetKeyValue(platform::registry::currentUser,
                                    L"Software\\snipforge e2e\\none", L"v", text),
          "a missing key counts as absent");
    checkEqual(text, L"", "text of a missing key");
}

E2E_CASE(registry, start_refuses_what_is_no_program) {
    const CaseFolder folder(L"snipforge\\start_refusals");
    checkEqual(platform::startProgram(L"").error, ERROR_FILE_NOT_FOUND, "starting an empty path");
    checkEqual(platform::startProgram(folder / L"missing.exe").error, ERROR_FILE_NOT_FOUND,
               "starting a missing file");
}

} // namespace
