// Reading the registry through RegOpenKeyExA, RegQueryValueExA and RegCloseKey of
// advapi32, each bound by name at its first call. Names go to the system in the
// ANSI code page. Every call reports the system's result code; a function that
// cannot be bound reports the loader's error instead of failing the program.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace platform::registry {

// An open key or a predefined root, as the system's handle value.
using Key = std::intptr_t;

// Predefined roots are 32-bit values sign-extended to the handle's width.
constexpr Key localMachine = static_cast<std::int32_t>(0x80000002u);
constexpr Key currentUser = static_cast<std::int32_t>(0x80000001u);

// Query value, enumerate sub-keys, notify, read control: nothing that writes.
constexpr unsigned long keyRead = 0x20019;

namespace valueType {
constexpr unsigned long text = 1;           // REG_SZ
constexpr unsigned long expandableText = 2; // REG_EXPAND_SZ
constexpr unsigned long binary = 3;         // REG_BINARY
constexpr unsigned long dword = 4;          // REG_DWORD, little-endian
constexpr unsigned long multiText = 7;      // REG_MULTI_SZ
} // namespace valueType

namespace result {
constexpr long success = 0;
constexpr long fileNotFound = 2; // no such key or value
constexpr long accessDenied = 5;
constexpr long invalidName = 123;    // a name the ANSI code page cannot hold
constexpr long moduleNotFound = 126; // advapi32 cannot be loaded
constexpr long procNotFound = 127;   // a function missing from advapi32
constexpr long moreData = 234;       // the value does not fit the buffer
} // namespace result

// A key opened by openKey, closed with RegCloseKey when it goes.
class OpenKey {
public:
    OpenKey() = default;
    ~OpenKey() { close(); }
    OpenKey(OpenKey&& other) noexcept : handle_(other.release()) {}
    OpenKey& operator=(OpenKey&& other) noexcept {
        if (this != &other) {
            close();
            handle_ = other.release();
        }
        return *this;
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    bool isOpen() const { return handle_ != 0; }
    Key handle() const { return handle_; }
    void adopt(Key handle) {
        close();
        handle_ = handle;
    }

private:
    Key handle_ = 0;
    Key release() {
        const Key handle = handle_;
        handle_ = 0;
        return handle;
    }
    void close();
};

// RegOpenKeyExA(root, subKey, 0, access): on success `opened` holds the key.
long openKey(Key root, const std::wstring& subKey, unsigned long access, OpenKey& opened);

// RegQueryValueExA into `data`, whose size is the buffer offered. On return
// `size` is the number of bytes the value holds (on result::moreData: would hold)
// and `type` its type.
long queryValue(const OpenKey& key, const std::wstring& valueName, unsigned long& type,
                std::vector<unsigned char>& data, unsigned long& size);

// The text with its %NAME% references replaced by the process's environment, as
// a REG_EXPAND_SZ value means it; unknown names stay as written.
std::wstring expandEnvironmentReferences(const std::wstring& text);

} // namespace platform::registry
