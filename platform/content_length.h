// The value of a response's Content-Length header, which the server writes.
#pragma once

#include <optional>
#include <string_view>

namespace platform {

// Decimal digits only (leading zeros allowed), at least one, within 64 bits;
// nothing for anything else: a sign, a blank, a list ("5, 5"), an overflow.
std::optional<unsigned long long> parseContentLength(std::wstring_view text);

} // namespace platform
