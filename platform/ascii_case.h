// Letter case of protocol text (schemes, header values), which is ASCII
// whatever the locale.
#pragma once

#include <string_view>

namespace platform {

constexpr wchar_t asciiLower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// text equals lowerText (in lower case already) but for ASCII letter case.
constexpr bool equalsNoCase(std::wstring_view text, std::wstring_view lowerText) {
    if (text.size() != lowerText.size()) {
        return false;
    }
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (asciiLower(text[i]) != lowerText[i]) {
            return false;
        }
    }
    return true;
}

} // namespace platform
