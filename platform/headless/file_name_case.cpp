// The upper-case mapping of Windows for the scripts unit tests use: Basic
// Latin, Latin-1, Latin Extended-A, Greek and Cyrillic.
#include "platform/file_name_case.h"

namespace platform {

namespace {

wchar_t upper(wchar_t c) {
    const auto u = static_cast<char32_t>(c);
    if ((u >= 'a' && u <= 'z') || (u >= 0xE0 && u <= 0xFE && u != 0xF7) ||
        (u >= 0x3B1 && u <= 0x3C9 && u != 0x3C2) || (u >= 0x430 && u <= 0x44F)) {
        return static_cast<wchar_t>(u - 0x20);
    }
    if (u == 0xFF) {
        return static_cast<wchar_t>(0x178);
    }
    if (u >= 0x450 && u <= 0x45F) {
        return static_cast<wchar_t>(u - 0x50);
    }
    // Latin Extended-A: pairs of upper (even) and lower (odd) case, shifted by
    // one between U+0139 and U+0148 and from U+0179 on; U+0131 and U+0138 have none.
    const bool oddIsLower = (u >= 0x100 && u <= 0x137) || (u >= 0x14A && u <= 0x177);
    const bool evenIsLower = (u >= 0x139 && u <= 0x148) || (u >= 0x179 && u <= 0x17E);
    if ((oddIsLower && u % 2 == 1 && u != 0x131) || (evenIsLower && u % 2 == 0)) {
        return static_cast<wchar_t>(u - 1);
    }
    return c;
}

} // namespace

void fileNameCaseKey(std::wstring_view name, std::wstring& key) {
    key.assign(name);
    for (auto& c : key) {
        c = upper(c);
    }
}

std::wstring fileNameCaseKey(std::wstring_view name) {
    std::wstring key;
    fileNameCaseKey(name, key);
    return key;
}

} // namespace platform
