// Where the catalogue and the sniplets live on the server.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace snipfetch {

// Every UTF-8 byte of the text as %XX (upper-case hex), except the characters
// that RFC 3986 calls unreserved: A-Z a-z 0-9 - . _ ~
std::wstring percentEncode(std::wstring_view text);

// The server as the build names it: "https://host[:port]", "http://host[:port]",
// or a bare "host[:port]", which is plain HTTP. The host is a name, an IPv4
// address or an IPv6 address in brackets; nothing may follow the port.
struct ServerSetting {
    bool secure = false;
    std::wstring_view authority; // host[:port]
};

namespace detail {

constexpr bool startsWithNoCase(std::wstring_view text, std::wstring_view lowerPrefix) {
    if (text.size() < lowerPrefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < lowerPrefix.size(); ++i) {
        const wchar_t c = text[i] >= L'A' && text[i] <= L'Z' ? text[i] - L'A' + L'a' : text[i];
        if (c != lowerPrefix[i]) {
            return false;
        }
    }
    return true;
}

constexpr bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

constexpr bool isNameCharacter(wchar_t c) {
    return isDigit(c) || (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'-' ||
           c == L'.' || c == L'_';
}

constexpr bool isIpv6Character(wchar_t c) {
    return isDigit(c) || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F') || c == L':' ||
           c == L'.';
}

constexpr bool isPort(std::wstring_view digits) {
    if (digits.empty() || digits.size() > 5) {
        return false;
    }
    unsigned value = 0;
    for (const wchar_t c : digits) {
        if (!isDigit(c)) {
            return false;
        }
        value = value * 10 + static_cast<unsigned>(c - L'0');
    }
    return value >= 1 && value <= 65535;
}

constexpr bool isAuthority(std::wstring_view authority) {
    std::size_t hostEnd = 0;
    if (authority.starts_with(L'[')) {
        hostEnd = authority.find(L']');
        if (hostEnd == std::wstring_view::npos || hostEnd == 1) {
            return false;
        }
        for (const wchar_t c : authority.substr(1, hostEnd - 1)) {
            if (!isIpv6Character(c)) {
                return false;
            }
        }
        ++hostEnd;
    } else {
        while (hostEnd < authority.size() && isNameCharacter(authority[hostEnd])) {
            ++hostEnd;
        }
        if (hostEnd == 0) {
            return false;
        }
    }
    const auto rest = authority.substr(hostEnd);
    return rest.empty() || (rest.front() == L':' && isPort(rest.substr(1)));
}

} // namespace detail

// Nothing when the setting is none of the forms above.
constexpr std::optional<ServerSetting> parseServerSetting(std::wstring_view setting) {
    ServerSetting server{false, setting};
    if (detail::startsWithNoCase(setting, L"https://")) {
        server = {true, setting.substr(8)};
    } else if (detail::startsWithNoCase(setting, L"http://")) {
        server.authority = setting.substr(7);
    }
    if (!detail::isAuthority(server.authority)) {
        return std::nullopt;
    }
    return server;
}

// "<scheme>://<host[:port]>/Sniplets/...". A setting that is none of the forms
// above gives URLs that no request can take.
std::wstring catalogueUrl(std::wstring_view server);
std::wstring indexUrl(std::wstring_view server); // the maker's signed index

std::wstring snipletUrl(std::wstring_view server, std::wstring_view fileName);

} // namespace snipfetch
