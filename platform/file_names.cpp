#include "platform/file_names.h"

#include <algorithm>
#include <array>

namespace platform {

namespace {

wchar_t upper(wchar_t c) {
    return (c >= L'a' && c <= L'z') ? static_cast<wchar_t>(c - 32) : c;
}

bool equalsIgnoringCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return upper(x) == upper(y); });
}

bool isPortNumber(wchar_t c) {
    // Windows reserves COM¹ to COM³ and LPT¹ to LPT³ as well.
    return (c >= L'1' && c <= L'9') || c == L'\u00B9' || c == L'\u00B2' || c == L'\u00B3';
}

bool isDeviceName(std::wstring_view stem) {
    static constexpr std::array<std::wstring_view, 6> plain = {L"CON", L"PRN",    L"AUX",
                                                               L"NUL", L"CONIN$", L"CONOUT$"};
    if (std::any_of(plain.begin(), plain.end(),
                    [&](std::wstring_view device) { return equalsIgnoringCase(stem, device); })) {
        return true;
    }
    if (stem.size() == 4 && isPortNumber(stem[3])) {
        const auto prefix = stem.substr(0, 3);
        return equalsIgnoringCase(prefix, L"COM") || equalsIgnoringCase(prefix, L"LPT");
    }
    return false;
}

} // namespace

bool isBidiControl(wchar_t c) {
    return c == 0x200E || c == 0x200F || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

bool isUsableFileName(std::wstring_view name) {
    // Windows drops a final dot or blank when it makes the file, so the file
    // would not carry the name asked for ("." and ".." name folders).
    if (name.empty() || name.size() > longestFileName || name.back() == L'.' ||
        name.back() == L' ') {
        return false;
    }
    constexpr std::wstring_view forbidden = L"\\/:*?\"<>|";
    if (std::any_of(name.begin(), name.end(), [&](wchar_t c) {
            return c < 0x20 || isBidiControl(c) || forbidden.find(c) != std::wstring_view::npos;
        })) {
        return false;
    }
    auto stem = name.substr(0, name.find(L'.'));
    while (!stem.empty() && stem.back() == L' ') {
        stem.remove_suffix(1);
    }
    return !isDeviceName(stem);
}

} // namespace platform
