#include "platform/file_name_case.h"

#include <windows.h>

#include <algorithm>

namespace platform {

namespace {

void foldAscii(std::wstring& key) {
    for (auto& c : key) {
        if (c >= L'a' && c <= L'z') {
            c = static_cast<wchar_t>(c - (L'a' - L'A'));
        }
    }
}

} // namespace

// The invariant locale's upper case, as the file system compares names; no
// Turkish dotted I, whatever the user's locale. ASCII names, nearly all of them,
// are folded here: the system call costs more than the name.
void fileNameCaseKey(std::wstring_view name, std::wstring& key) {
    key.assign(name);
    if (std::all_of(name.begin(), name.end(), [](wchar_t c) { return c < 0x80; })) {
        foldAscii(key);
        return;
    }
    const int length = static_cast<int>(name.size());
    if (LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, name.data(), length, key.data(),
                      length, nullptr, nullptr, 0) != length) {
        // Upper case keeps the length of UTF-16 text, so this is not expected; fold
        // ASCII at least rather than compare letter case.
        key.assign(name);
        foldAscii(key);
    }
}

std::wstring fileNameCaseKey(std::wstring_view name) {
    std::wstring key;
    fileNameCaseKey(name, key);
    return key;
}

} // namespace platform
