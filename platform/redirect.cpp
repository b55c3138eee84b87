#include "platform/redirect.h"

#include <algorithm>

namespace platform {

namespace {

wchar_t lower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool isAsciiLetter(wchar_t c) {
    return lower(c) >= L'a' && lower(c) <= L'z';
}

// "https", "ftp" ...: the scheme of an absolute URL, lower-case; empty for a
// reference without one.
std::wstring schemeOf(std::wstring_view url) {
    std::wstring scheme;
    for (const wchar_t c : url) {
        if (c == L':') {
            return scheme;
        }
        const bool allowed =
            isAsciiLetter(c) ||
            (!scheme.empty() && ((c >= L'0' && c <= L'9') || c == L'+' || c == L'-' || c == L'.'));
        if (!allowed) {
            return {};
        }
        scheme.push_back(lower(c));
    }
    return {};
}

std::wstring_view trimmed(std::wstring_view text) {
    const auto blank = [](wchar_t c) { return c == L' ' || c == L'\t'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

} // namespace

std::optional<std::wstring> redirectTarget(std::wstring_view from, std::wstring_view location) {
    location = trimmed(location.substr(0, location.find(L'#')));
    const std::wstring fromScheme = schemeOf(from);
    const auto authorityStart = fromScheme.size() + 3; // after "://"
    if (location.empty() || from.size() < authorityStart) {
        return std::nullopt;
    }
    std::wstring target;
    if (const std::wstring scheme = schemeOf(location); !scheme.empty()) {
        const bool allowed = scheme == L"https" || (scheme == L"http" && fromScheme == L"http");
        if (!allowed || location.substr(scheme.size(), 3) != L"://") {
            return std::nullopt;
        }
        target = location;
    } else if (location.starts_with(L"//")) {
        target = fromScheme + L":" + std::wstring(location);
    } else {
        const auto pathStart = std::min(from.find(L'/', authorityStart), from.size());
        if (location.starts_with(L'/')) {
            target = std::wstring(from.substr(0, pathStart)) + std::wstring(location);
        } else {
            const auto path = from.substr(0, from.find(L'?'));
            const auto folderEnd = path.rfind(L'/');
            target = folderEnd == std::wstring_view::npos || folderEnd < pathStart
                         ? std::wstring(from.substr(0, pathStart)) + L"/"
                         : std::wstring(path.substr(0, folderEnd + 1));
            target += location;
        }
    }
    // What follows "scheme://" must name a host.
    const auto hostStart = schemeOf(target).size() + 3;
    if (target.size() <= hostStart || target[hostStart] == L'/') {
        return std::nullopt;
    }
    return target;
}

} // namespace platform
