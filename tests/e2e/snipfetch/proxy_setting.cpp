#include "tests/e2e/snipfetch/proxy_setting.h"

namespace snipfetch_e2e {

namespace {

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

} // namespace

UserProxyOverride::UserProxyOverride(const std::string& server)
    : RegistryValueOverride(
          HKEY_CURRENT_USER,
          L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings\\Connections",
          L"DefaultConnectionSettings", {REG_BINARY, settingsWithProxy(server)}) {}

} // namespace snipfetch_e2e
