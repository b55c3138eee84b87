// The registry functions of advapi32, bound by name at their first call, from
// the system folder's advapi32.
#include "platform/registry.h"

#include "platform/code_page.h"
#include "platform/win32/system_library.h"

#include <windows.h>

namespace platform::registry {

namespace {

// advapi32 stays loaded from the first binding to the end of the program.
class Advapi32 {
public:
    Advapi32() = default;
    ~Advapi32() {
        if (module_) {
            FreeLibrary(module_);
        }
    }
    Advapi32(const Advapi32&) = delete;
    Advapi32& operator=(const Advapi32&) = delete;

    // The function's address, or nullptr with `error` saying what could not be found.
    FARPROC bind(const char* name, long& error) {
        if (!module_) {
            module_ = win32::loadSystemLibrary(L"advapi32.dll");
            if (!module_) {
                error = result::moduleNotFound;
                return nullptr;
            }
        }
        const FARPROC address = GetProcAddress(module_, name);
        if (!address) {
            error = result::procNotFound;
        }
        return address;
    }

private:
    HMODULE module_ = nullptr;
};

Advapi32& advapi32() {
    static Advapi32 library;
    return library;
}

// One exported function; a failed binding is tried again at the next call.
template <class Signature> class BoundFunction {
public:
    explicit BoundFunction(const char* name) : name_(name) {}

    Signature get(long& error) {
        if (!function_) {
            if (const FARPROC address = advapi32().bind(name_, error)) {
                // Through void(*)() so the compiler accepts the change of signature.
                function_ = reinterpret_cast<Signature>(reinterpret_cast<void (*)()>(address));
            }
        }
        return function_;
    }

private:
    const char* name_;
    Signature function_ = nullptr;
};

using RegOpenKeyExASignature = LONG(WINAPI*)(HKEY, LPCSTR, DWORD, REGSAM, PHKEY);
using RegQueryValueExASignature = LONG(WINAPI*)(HKEY, LPCSTR, LPDWORD, LPDWORD, LPBYTE, LPDWORD);
using RegCloseKeySignature = LONG(WINAPI*)(HKEY);

BoundFunction<RegOpenKeyExASignature> regOpenKeyExA("RegOpenKeyExA");
BoundFunction<RegQueryValueExASignature> regQueryValueExA("RegQueryValueExA");
BoundFunction<RegCloseKeySignature> regCloseKey("RegCloseKey");

HKEY toHandle(Key key) {
    return reinterpret_cast<HKEY>(key);
}

} // namespace

void OpenKey::close() {
    if (!handle_) {
        return;
    }
    long error = 0;
    // Nothing to report when closing: the key is given up either way.
    if (const auto function = regCloseKey.get(error)) {
        function(toHandle(handle_));
    }
    handle_ = 0;
}

long openKey(Key root, const std::wstring& subKey, unsigned long access, OpenKey& opened) {
    long error = result::success;
    const auto function = regOpenKeyExA.get(error);
    if (!function) {
        return error;
    }
    const auto ansiSubKey = toAnsi(subKey);
    if (!ansiSubKey) {
        return result::invalidName;
    }
    HKEY handle = nullptr;
    const LONG status = function(toHandle(root), ansiSubKey->c_str(), 0, access, &handle);
    if (status == ERROR_SUCCESS) {
        opened.adopt(reinterpret_cast<Key>(handle));
    }
    return status;
}

long queryValue(const OpenKey& key, const std::wstring& valueName, unsigned long& type,
                std::vector<unsigned char>& data, unsigned long& size) {
    long error = result::success;
    const auto function = regQueryValueExA.get(error);
    if (!function) {
        return error;
    }
    const auto ansiName = toAnsi(valueName);
    if (!ansiName) {
        return result::invalidName;
    }
    DWORD valueType = 0;
    DWORD valueSize = static_cast<DWORD>(data.size());
    const LONG status = function(toHandle(key.handle()), ansiName->c_str(), nullptr, &valueType,
                                 data.data(), &valueSize);
    type = valueType;
    size = valueSize;
    return status;
}

std::wstring expandEnvironmentReferences(const std::wstring& text) {
    // The needed size can grow between the two calls if another thread changes
    // the environment: ask again until it fits.
    std::wstring expanded(text.size() + 1, L'\0');
    for (;;) {
        const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), expanded.data(),
                                                       static_cast<DWORD>(expanded.size()));
        if (needed == 0) {
            return text;
        }
        if (needed <= expanded.size()) {
            expanded.resize(needed - 1); // without the terminating NUL
            return expanded;
        }
        expanded.assign(needed, L'\0');
    }
}

} // namespace platform::registry
