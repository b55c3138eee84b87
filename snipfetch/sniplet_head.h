// What a sniplet file says about itself in its first four lines (the header, the
// name, the author and the description), read from bytes off the network that
// nothing vouches for: the tip over a row of the list shows it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace snipfetch {

// How much of a file is fetched for its head: the four lines of any sniplet a
// person wrote fit, and a longer description is cut anyway.
constexpr std::size_t snipletHeadBytes = 4096;
// The longest line shown, "…" included, in UTF-16 units (a pair is never split).
constexpr std::size_t longestHeadLine = 200;

struct SnipletHead {
    std::wstring name;
    std::wstring author;
    std::wstring description;
};

// Nothing unless line 1 is exactly "Sniplet File". Lines end in LF, a CR before
// it is dropped; lines the bytes stop before are empty.
//
// Decoding: the four lines are read as UTF-8 when together they are well-formed
// UTF-8 and hold at least one byte above 0x7F, and in the system's ANSI code page
// otherwise (as the sniplet writer writes them). Text in the code page almost
// never forms valid UTF-8 sequences by chance, so one rule serves files from the
// writer and files saved as UTF-8 by an editor alike. A sequence cut by the end
// of the bytes (the fetch stops at snipletHeadBytes) does not count against UTF-8.
//
// Control characters (C0, DEL, C1), line and paragraph separators and
// bidirectional controls are removed, the last as the file-name screening
// refuses them. A line longer than longestHeadLine ends in "…" at that length.
std::optional<SnipletHead> readSnipletHead(std::string_view bytes);

// One line each, CR LF between: "<name>", "by <author>", "<description>".
std::wstring tipTextOf(const SnipletHead& head);

} // namespace snipfetch
