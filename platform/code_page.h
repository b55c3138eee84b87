// Conversion between text and the system's ANSI code page.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// Exact conversion, no best-fit mapping: nothing when a character has no exact
// counterpart in the code page.
std::optional<std::string> toAnsi(std::wstring_view text);

std::wstring fromAnsi(std::string_view bytes);

// Exact conversion back: nothing when a byte sequence is not a character of the
// code page, or when the text would not convert back to the same bytes.
std::optional<std::wstring> fromAnsiExactly(std::string_view bytes);

} // namespace platform
