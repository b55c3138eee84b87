// URLs made from outside text: a catalogue name percent-encoded into a sniplet
// URL, and the server setting the build is given. The first input byte picks
// which of the two the rest is.
#include "fuzz_input.h"
#include "platform/redirect.h"
#include "snipfetch/sniplet_url.h"

#include <optional>

namespace {

std::optional<unsigned> hexValue(wchar_t c) {
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    if (c >= L'A' && c <= L'F') {
        return c - L'A' + 10;
    }
    return std::nullopt; // lower-case hex is never written
}

bool isUnreserved(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || (c >= L'0' && c <= L'9') ||
           c == L'-' || c == L'.' || c == L'_' || c == L'~';
}

// The bytes behind an encoded text, or nothing when it is not encoded as it should be.
std::optional<std::string> percentDecode(std::wstring_view encoded) {
    std::string bytes;
    for (std::size_t i = 0; i < encoded.size(); ++i) {
        if (isUnreserved(encoded[i])) {
            bytes.push_back(static_cast<char>(encoded[i]));
            continue;
        }
        if (encoded[i] != L'%' || encoded.size() - i < 3) {
            return std::nullopt;
        }
        const auto high = hexValue(encoded[i + 1]);
        const auto low = hexValue(encoded[i + 2]);
        if (!high || !low) {
            return std::nullopt;
        }
        bytes.push_back(static_cast<char>(*high * 16 + *low));
        i += 2;
    }
    return bytes;
}

void checkName(const std::wstring& name) {
    const auto encoded = snipfetch::percentEncode(name);
    fuzz::require(percentDecode(encoded) == platform::encodeUtf8(name),
                  "percent-decoding an encoded name gives the name's UTF-8");
    const std::wstring server = L"https://localhost:8443";
    fuzz::require(snipfetch::snipletUrl(server, name) ==
                      L"https://localhost:8443/Sniplets/" + encoded,
                  "a sniplet URL is the folder and the encoded name");
}

void checkServerSetting(const std::wstring& setting) {
    const auto server = snipfetch::parseServerSetting(setting);
    if (!server) {
        fuzz::require(snipfetch::catalogueUrl(setting) == L"/Sniplets/Sniplets.txt",
                      "a bad setting gives no URL a request can take");
        return;
    }
    fuzz::require(server->authority.find_first_of(L"/?#@\\ ") == std::wstring_view::npos,
                  "an authority is only a host and a port");
    const auto url = snipfetch::catalogueUrl(setting);
    fuzz::require(url.starts_with(server->secure ? L"https://" : L"http://"),
                  "https:// only for a secure setting");
    // A URL we make is one a redirect may lead to unchanged.
    fuzz::require(platform::redirectTarget(url, url) == url, "the catalogue URL is absolute");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const std::wstring text = fuzz::textOf(fuzz::bytesOf(data + 1, size - 1));
    if (data[0] % 2 == 0) {
        checkName(text);
    } else {
        checkServerSetting(text);
    }
    return 0;
}
