// Where the catalogue and the sniplets live on the server.
#pragma once

#include <string>
#include <string_view>

namespace snipfetch {

// Every UTF-8 byte of the text as %XX (upper-case hex), except the characters
// that RFC 3986 calls unreserved: A-Z a-z 0-9 - . _ ~
std::wstring percentEncode(std::wstring_view text);

// host: "name" or "name:port".
std::wstring catalogueUrl(std::wstring_view host);
std::wstring snipletUrl(std::wstring_view host, std::wstring_view fileName);

} // namespace snipfetch
