// A number in decimal digits, as std::to_wstring writes it, without the wide
// printf that std::to_wstring brings into a statically linked program (12 KiB).
#pragma once

#include <string>
#include <type_traits>

namespace platform {

template <class Integer> std::wstring decimalText(Integer value) {
    static_assert(std::is_integral_v<Integer>);
    using Unsigned = std::make_unsigned_t<Integer>;
    bool negative = false;
    auto rest = static_cast<Unsigned>(value);
    if constexpr (std::is_signed_v<Integer>) {
        // Negated as unsigned, so the most negative value comes out right too.
        negative = value < 0;
        if (negative) {
            rest = Unsigned(0) - rest;
        }
    }
    wchar_t digits[24];
    wchar_t* first = digits + sizeof digits / sizeof digits[0];
    do {
        *--first = static_cast<wchar_t>(L'0' + rest % 10);
        rest /= 10;
    } while (rest != 0);
    if (negative) {
        *--first = L'-';
    }
    return std::wstring(first, digits + sizeof digits / sizeof digits[0]);
}

} // namespace platform
