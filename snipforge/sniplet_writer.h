// The sniplet file: twelve lines in the system's ANSI code page, each ending in CR LF.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace snipforge {

// Variant index: 0 is the 16-bit variant, 1 the 32-bit one.
struct Sniplet {
    std::wstring name;
    std::wstring author;
    std::wstring description;
    std::array<std::wstring, 2> code;
    std::array<std::wstring, 2> moduleText;
};

// The texts of a sniplet, in the order they are written.
enum class SnipletField { CodeName, Author, AboutCode, Code16, Code32, Module16, Module32 };

// The field's caption as the user knows it from the window.
std::wstring_view fieldCaption(SnipletField field);

struct EncodedSniplet {
    std::string bytes;                         // the whole file, when every text converts
    std::optional<SnipletField> unconvertible; // else the first field the code page cannot hold
};

EncodedSniplet encodeSniplet(const Sniplet& sniplet);

} // namespace snipforge
