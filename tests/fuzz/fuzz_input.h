// What a fuzz target makes of libFuzzer's bytes, and how it reports a property
// that does not hold: an abort, which libFuzzer keeps as a crash with its input.
#pragma once

#include "platform/utf8.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace fuzz {

inline std::string_view bytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// UTF-8 when the bytes are, else one character per byte: every input is some
// text, and the mutator reaches any character by writing its UTF-8.
inline std::wstring textOf(std::string_view bytes) {
    if (auto text = platform::decodeUtf8(bytes)) {
        return *std::move(text);
    }
    return {bytes.begin(), bytes.end()};
}

inline void require(bool holds, const char* property) {
    if (!holds) {
        std::fprintf(stderr, "property broken: %s\n", property);
        std::abort();
    }
}

} // namespace fuzz
