// Where a redirect leads, and whether the client may go there.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The URL that a response to `from` (an absolute http:// or https:// URL) sends
// the client to with its Location header: an absolute URL, "//host/path",
// "/path" or a path relative to from's folder; the fragment is dropped.
// Nothing when the client must not follow: another scheme than http and https,
// from https to http, or no URL at all.
std::optional<std::wstring> redirectTarget(std::wstring_view from, std::wstring_view location);

} // namespace platform
