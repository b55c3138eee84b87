// The sniplet file: twelve lines in the system's ANSI code page, each ending in CR LF.
// The writer refuses a sniplet whose file a reader would split differently
// (sniplet_reader.h reads back exactly what it writes).
#pragma once

#include <array>
#include <cstddef>
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

    bool operator==(const Sniplet&) const = default;
};

// The texts of a sniplet, in the order they are written.
enum class SnipletField { CodeName, Author, AboutCode, Code16, Code32, Module16, Module32 };

// The field's caption as the user knows it from the window.
std::wstring_view fieldCaption(SnipletField field);
// A block's name in a sentence: "16-bit code", "32-bit module text"; the caption
// for the three one-line fields.
std::wstring_view textName(SnipletField field);

// Why a sniplet cannot be written.
struct SnipletRefusal {
    enum class Reason {
        Unconvertible, // a character the code page cannot hold
        LineBreak,     // a CR or LF in name, author or description: one line each
        DashLine,      // a line that is exactly "---" in a block: it would end the block
    };
    Reason reason;
    SnipletField field;
    std::size_t line = 0; // DashLine: the line of the text, from 1
};

// The first line that is exactly "---" in a code or module text. Lines end at CR LF,
// a lone CR or a lone LF: a reader may take any of them as a line break.
std::optional<SnipletRefusal> findDashLine(const Sniplet& sniplet);

struct EncodedSniplet {
    std::string bytes;                     // the whole file, when it can be written
    std::optional<SnipletRefusal> refusal; // else why not, for the first field in file order
};

EncodedSniplet encodeSniplet(const Sniplet& sniplet);

} // namespace snipforge
