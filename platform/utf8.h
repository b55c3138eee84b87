// UTF-8 to and from the program's wide strings (UTF-16 on Windows, UTF-32 elsewhere).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Nothing unless the bytes are well-formed UTF-8: no overlong forms, no
// surrogates, nothing above U+10FFFF, no sequence cut short.
std::optional<std::wstring> decodeUtf8(std::string_view bytes);

// The same test without a copy: appends the decoded text to *out when out is
// given (what it appended is then unfinished on failure), only checks otherwise.
bool appendUtf8(std::string_view bytes, std::wstring* out);

// A lone surrogate, which no decoded text holds, becomes U+FFFD.
std::string encodeUtf8(std::wstring_view text);
// The same appended to `out`, whose storage is reused.
void appendEncodedUtf8(std::wstring_view text, std::string& out);

} // namespace platform
