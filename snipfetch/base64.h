// Standard base64 (RFC 4648: A-Z a-z 0-9 + /, padded with =), read strictly.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace snipfetch {

// The bytes, or nothing for any text that is not the one canonical encoding of
// some bytes: a character outside the alphabet, a length that is no multiple
// of four, padding anywhere but at the end, or bits left over that are not zero.
std::optional<std::string> decodeBase64(std::string_view text);

} // namespace snipfetch
