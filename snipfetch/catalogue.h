// The server's catalogue: a text of sniplet file names, one per CR LF-separated entry.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace snipfetch {

// UTF-8 when the body is well-formed UTF-8 (a byte-order mark is dropped),
// otherwise the system's ANSI code page.
std::wstring decodeCatalogue(std::string_view body);

// Splits at every CR LF (a lone CR or LF splits nothing) and trims U+0020 from
// both ends of each entry. An empty text has no entries; a text ending in CR LF
// has an empty last entry.
std::vector<std::wstring> splitCatalogue(std::wstring_view text);

// The trimmed entries that can name a file in the sniplet folder, in catalogue
// order, duplicates kept. Anything else (empty, "..", separators, device names
// ...) is dropped: a name from the server never leads outside the folder.
std::vector<std::wstring> catalogueNames(std::wstring_view text);

// The body as UTF-8: as it is when it is well-formed UTF-8 (a byte-order mark
// and all), otherwise converted from the system's ANSI code page.
std::string catalogueAsUtf8(std::string body);

// The names catalogueNames(decodeCatalogue(body)) gives, handed to `take` one at
// a time from catalogueAsUtf8(body), with where each lies in it (in bytes): no
// decoded copy of the whole text and no string per name. The view lasts until
// the next call.
void forEachCatalogueName(std::string_view utf8,
                          const std::function<void(std::wstring_view name, std::size_t offset,
                                                   std::size_t length)>& take);

} // namespace snipfetch
