#include "snipfetch/base64.h"

namespace snipfetch {

namespace {

int valueOf(char c) {
    if (c >= 'A' && c <= 'Z') {
        return c - 'A';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 26;
    }
    if (c >= '0' && c <= '9') {
        return c - '0' + 52;
    }
    if (c == '+') {
        return 62;
    }
    if (c == '/') {
        return 63;
    }
    return -1;
}

} // namespace

std::optional<std::string> decodeBase64(std::string_view text) {
    if (text.size() % 4 != 0) {
        return std::nullopt;
    }
    std::size_t padding = 0;
    if (text.ends_with("==")) {
        padding = 2;
    } else if (text.ends_with('=')) {
        padding = 1;
    }
    std::string bytes;
    bytes.reserve(text.size() / 4 * 3);
    unsigned long bits = 0;
    int held = 0;
    for (const char c : text.substr(0, text.size() - padding)) {
        const int value = valueOf(c);
        if (value < 0) {
            return std::nullopt;
        }
        bits = (bits << 6) | static_cast<unsigned long>(value);
        held += 6;
        if (held >= 8) {
            held -= 8;
            bytes.push_back(static_cast<char>((bits >> held) & 0xFF));
        }
    }
    // What is left is 0, 2 or 4 bits, which the one encoding of these bytes sets to zero.
    if ((bits & ((1ul << held) - 1)) != 0) {
        return std::nullopt;
    }
    return bytes;
}

} // namespace snipfetch
