// Reads back a sniplet file: what the writer (sniplet_writer.h) writes, and
// nothing else. Whatever it accepts, encodeSniplet writes back byte for byte.
#pragma once

#include "snipforge/sniplet_writer.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace snipforge {

// Larger files are refused unread.
constexpr std::size_t largestSnipletFile = std::size_t{1024} * 1024;

struct SnipletReading {
    std::optional<Sniplet> sniplet; // when the bytes are a sniplet file
    std::wstring refusal;           // else why not, as a sentence for the user
};

// Line 1 "Sniplet File"; lines 2 to 4 the name, author and description; four
// blocks, each up to the next line that is exactly "---"; nothing after the
// fourth "---" line but its CR LF. Lines end in CR LF, and every line is text of
// the system's ANSI code page.
SnipletReading decodeSniplet(std::string_view bytes);

} // namespace snipforge
