#include "snipfetch/sniplet_url.h"

#include "platform/utf8.h"

namespace snipfetch {

namespace {

bool isUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~';
}

std::wstring folderUrl(std::wstring_view server) {
    const auto setting = parseServerSetting(server);
    if (!setting) {
        return L"/Sniplets/";
    }
    return (setting->secure ? L"https://" : L"http://") + std::wstring(setting->authority) +
           L"/Sniplets/";
}

} // namespace

std::wstring percentEncode(std::wstring_view text) {
    constexpr std::wstring_view hexDigits = L"0123456789ABCDEF";
    std::wstring encoded;
    for (const char byte : platform::encodeUtf8(text)) {
        const auto c = static_cast<unsigned char>(byte);
        if (isUnreserved(c)) {
            encoded.push_back(static_cast<wchar_t>(c));
        } else {
            encoded.push_back(L'%');
            encoded.push_back(hexDigits[c >> 4]);
            encoded.push_back(hexDigits[c & 0x0F]);
        }
    }
    return encoded;
}

std::wstring catalogueUrl(std::wstring_view server) {
    return folderUrl(server) + L"Sniplets.txt";
}

std::wstring indexUrl(std::wstring_view server) {
    return folderUrl(server) + L"Sniplets.index";
}

std::wstring snipletUrl(std::wstring_view server, std::wstring_view fileName) {
    return folderUrl(server) + percentEncode(fileName);
}

} // namespace snipfetch
