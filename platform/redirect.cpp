// Reference resolution as RFC 3986 section 5.2 gives it, within the client's
// own rules: http and https only, never from https to http, always a host.
#include "platform/redirect.h"

#include "platform/ascii_case.h"

#include <algorithm>

namespace platform {

namespace {

// A URL holds no control character; one in a Location would end up in our
// request line.
bool holdsControlCharacter(std::wstring_view text) {
    for (const wchar_t c : text) {
        if (c < 0x20 || c == 0x7F) {
            return true;
        }
    }
    return false;
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

// A URI reference taken apart as RFC 3986 appendix B does, fragment dropped.
struct Reference {
    std::optional<std::wstring_view> scheme;
    std::optional<std::wstring_view> authority;
    std::wstring_view path;
    std::optional<std::wstring_view> query;
};

Reference split(std::wstring_view text) {
    Reference parts;
    text = text.substr(0, text.find(L'#'));
    if (const auto colon = text.find_first_of(L":/?");
        colon != 0 && colon != std::wstring_view::npos && text[colon] == L':') {
        parts.scheme = text.substr(0, colon);
        text.remove_prefix(colon + 1);
    }
    if (text.starts_with(L"//")) {
        text.remove_prefix(2);
        const auto end = std::min(text.find_first_of(L"/?"), text.size());
        parts.authority = text.substr(0, end);
        text.remove_prefix(end);
    }
    const auto question = text.find(L'?');
    parts.path = text.substr(0, question);
    if (question != std::wstring_view::npos) {
        parts.query = text.substr(question + 1);
    }
    return parts;
}

// userinfo@host:port: whether the host part is there at all.
bool namesHost(std::wstring_view authority) {
    if (const auto at = authority.rfind(L'@'); at != std::wstring_view::npos) {
        authority.remove_prefix(at + 1);
    }
    if (authority.starts_with(L'[')) {
        const auto close = authority.find(L']');
        return close != std::wstring_view::npos && close > 1;
    }
    return !authority.empty() && authority.front() != L':';
}

// Drops the output's last segment and the "/" before it (RFC 3986 5.2.4, 2C and 2D).
void dropLastSegment(std::wstring& output) {
    const auto slash = output.rfind(L'/');
    output.erase(slash == std::wstring::npos ? 0 : slash);
}

// RFC 3986 5.2.4: "." and ".." segments resolved, never above the root.
std::wstring removeDotSegments(std::wstring_view input) {
    std::wstring output;
    while (!input.empty()) {
        if (input.starts_with(L"../")) {
            input.remove_prefix(3);
        } else if (input.starts_with(L"./") || input.starts_with(L"/./")) {
            input.remove_prefix(2);
        } else if (input == L"/.") {
            input = L"/";
        } else if (input.starts_with(L"/../")) {
            input.remove_prefix(3);
            dropLastSegment(output);
        } else if (input == L"/..") {
            input = L"/";
            dropLastSegment(output);
        } else if (input == L"." || input == L"..") {
            input = {};
        } else {
            const auto end = std::min(input.find(L'/', 1), input.size());
            output.append(input.substr(0, end));
            input.remove_prefix(end);
        }
    }
    return output;
}

bool isHttpScheme(std::wstring_view scheme) {
    return equalsNoCase(scheme, L"http") || equalsNoCase(scheme, L"https");
}

} // namespace

std::optional<std::wstring> redirectTarget(std::wstring_view from, std::wstring_view location) {
    // Blanks before the fragment are the URL's end too.
    location = trimmed(location.substr(0, location.find(L'#')));
    const Reference base = split(from);
    const Reference reference = split(location);
    if (!base.scheme || !isHttpScheme(*base.scheme) || !base.authority ||
        holdsControlCharacter(location)) {
        return std::nullopt;
    }
    const bool baseSecure = equalsNoCase(*base.scheme, L"https");
    Reference target;
    std::wstring path;
    if (reference.scheme) {
        const bool allowed = equalsNoCase(*reference.scheme, L"https") ||
                             (equalsNoCase(*reference.scheme, L"http") && !baseSecure);
        if (!allowed) {
            return std::nullopt;
        }
        target = reference;
        path = removeDotSegments(reference.path);
    } else {
        target.scheme = base.scheme;
        if (reference.authority) {
            target.authority = reference.authority;
            target.query = reference.query;
            path = removeDotSegments(reference.path);
        } else {
            target.authority = base.authority;
            target.query = reference.query;
            if (reference.path.empty()) {
                // An empty reference, or one of a fragment alone, leads back to where we are.
                if (!reference.query) {
                    return std::nullopt;
                }
                path = base.path;
            } else if (reference.path.starts_with(L'/')) {
                path = removeDotSegments(reference.path);
            } else {
                // Merged with the base's folder (5.2.3); an empty base path is the root.
                const auto folderEnd = base.path.rfind(L'/');
                std::wstring merged(folderEnd == std::wstring_view::npos
                                        ? L"/"
                                        : base.path.substr(0, folderEnd + 1));
                merged += reference.path;
                path = removeDotSegments(merged);
            }
        }
    }
    if (!target.authority || !namesHost(*target.authority)) {
        return std::nullopt;
    }
    std::wstring url(*target.scheme);
    url += L"://";
    url += *target.authority;
    url += path;
    if (target.query) {
        url += L'?';
        url += *target.query;
    }
    return url;
}

} // namespace platform
