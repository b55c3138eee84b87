// Where a redirect leads, and whether the client may go there.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The URL that a response to `from` (an absolute http:// or https:// URL) sends
// the client to with its Location header, resolved as RFC 3986 section 5.2 says
// (dot segments removed, "?q" keeps the path); the fragment is dropped.
// Nothing when the client must not follow: another scheme than http and https,
// from https to http, no host, a control character, or a reference that leads
// back to `from` itself (empty, or a fragment alone).
std::optional<std::wstring> redirectTarget(std::wstring_view from, std::wstring_view location);

} // namespace platform
