#include "tests/e2e/snipfetch/proxy_setting.h"

#include "tests/e2e/driver/check.h"

#include <windows.h>

namespace snipfetch_e2e {

using namespace e2e;

namespace {

constexpr const wchar_t* connectionsKey =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections";
constexpr const wchar_t* settingsValue = L"DefaultConnectionSettings";

// The settings blob: a version, a change counter, the flags (1 direct, 2 a fixed
// proxy), then length-prefixed proxy, bypass list and script address.
std::string settingsWithProxy(const std::string& server) {
    std::string blob;
    const auto addWord = [&](DWORD value) {
        blob.append(reinterpret_cast<const char*>(&value), sizeof value);
    };
    addWord(0x46);
    addWord(1);
    addWord(1 | 2);
    addWord(static_cast<DWORD>(server.size()));
    blob += server;
    addWord(0); // no bypass list: local addresses too go through the proxy
    addWord(0); // no script
    blob.append(32, '\0');
    return blob;
}

bool writeSettings(const std::string& blob) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, connectionsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &key, nullptr) != ERROR_SUCCESS) {
        return false;
    }
    const auto result =
        RegSetValueExW(key, settingsValue, 0, REG_BINARY,
                       reinterpret_cast<const BYTE*>(blob.data()), static_cast<DWORD>(blob.size()));
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

} // namespace

UserProxyOverride::UserProxyOverride(const std::string& server) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, connectionsKey, 0, KEY_QUERY_VALUE, &key) ==
        ERROR_SUCCESS) {
        DWORD type = 0;
        DWORD size = 0;
        if (RegQueryValueExW(key, settingsValue, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
            type == REG_BINARY) {
            std::string bytes(size, '\0');
            if (RegQueryValueExW(key, settingsValue, nullptr, &type,
                                 reinterpret_cast<BYTE*>(bytes.data()), &size) == ERROR_SUCCESS) {
                bytes.resize(size);
                previous_ = bytes;
            }
        }
        RegCloseKey(key);
    }
    require(writeSettings(settingsWithProxy(server)), "cannot write the connection settings");
}

UserProxyOverride::~UserProxyOverride() {
    // Reported, not thrown: this runs while a failed case unwinds too.
    if (previous_) {
        check(writeSettings(*previous_), "could not put the connection settings back");
        return;
    }
    HKEY key = nullptr;
    const bool removed =
        RegOpenKeyExW(HKEY_CURRENT_USER, connectionsKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS &&
        RegDeleteValueW(key, settingsValue) == ERROR_SUCCESS;
    if (key) {
        RegCloseKey(key);
    }
    check(removed, "could not remove the test's connection settings");
}

} // namespace snipfetch_e2e
