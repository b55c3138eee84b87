// Code page 1252, the ANSI code page of a Western system.
#include "platform/code_page.h"
#include "platform/headless/headless.h"

#include <array>
#include <utility>

namespace platform {

namespace {
// 0x80..0x9F; 0 marks the five bytes that 1252 leaves undefined.
constexpr std::array<char16_t, 32> high1252 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::optional<char> toByte(wchar_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
        return static_cast<char>(c);
    }
    for (std::size_t i = 0; i < high1252.size(); ++i) {
        const wchar_t mapped = high1252[i] ? high1252[i] : static_cast<wchar_t>(0x80 + i);
        if (mapped == c) {
            return static_cast<char>(0x80 + i);
        }
    }
    return std::nullopt;
}
std::string& undecodable() {
    static std::string bytes;
    return bytes;
}
} // namespace

namespace headless {
void setUndecodableBytes(std::string bytes) {
    undecodable() = std::move(bytes);
}
} // namespace headless

std::optional<std::string> toAnsi(std::wstring_view text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) {
        auto byte = toByte(c);
        if (!byte) {
            return std::nullopt;
        }
        out.push_back(*byte);
    }
    return out;
}

std::wstring fromAnsi(std::string_view bytes) {
    std::wstring out;
    out.reserve(bytes.size());
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (u >= 0x80 && u <= 0x9F) {
            const char16_t mapped = high1252[u - 0x80];
            // Windows maps the undefined bytes to the C1 control of the same value.
            out.push_back(static_cast<wchar_t>(mapped ? mapped : u));
        } else {
            out.push_back(static_cast<wchar_t>(u));
        }
    }
    return out;
}

std::optional<std::wstring> fromAnsiExactly(std::string_view bytes) {
    if (bytes.find_first_of(undecodable()) != std::string_view::npos) {
        return std::nullopt;
    }
    return fromAnsi(bytes);
}

} // namespace platform
