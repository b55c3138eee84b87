#include "platform/file_name_case.h"

#include <windows.h>

namespace platform {

// The invariant locale's upper case, as the file system compares names; no
// Turkish dotted I, whatever the user's locale.
std::wstring fileNameCaseKey(std::wstring_view name) {
    if (name.empty()) {
        return {};
    }
    const int length = static_cast<int>(name.size());
    std::wstring key(name.size(), L'\0');
    if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, name.data(), length, key.data(),
                      length, nullptr, nullptr, 0) == length) {
        return key;
    }
    // Upper case keeps the length of UTF-16 text, so this is not expected; fold
    // ASCII at least rather than compare letter case.
    key.assign(name);
    for (auto& c : key) {
        if (c >= L'a' && c <= L'z') {
            c = static_cast<wchar_t>(c - (L'a' - L'A'));
        }
    }
    return key;
}

} // namespace platform
