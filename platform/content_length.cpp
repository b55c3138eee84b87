#include "platform/content_length.h"

#include <limits>

namespace platform {

std::optional<unsigned long long> parseContentLength(std::wstring_view text) {
    constexpr auto largest = std::numeric_limits<unsigned long long>::max();
    if (text.empty()) {
        return std::nullopt;
    }
    unsigned long long length = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') {
            return std::nullopt;
        }
        const auto digit = static_cast<unsigned>(c - L'0');
        if (length > (largest - digit) / 10) {
            return std::nullopt;
        }
        length = length * 10 + digit;
    }
    return length;
}

} // namespace platform
