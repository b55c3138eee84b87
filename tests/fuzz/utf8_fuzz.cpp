// UTF-8 both ways: well-formed bytes survive a round trip, and any text does
// once the code points that UTF-8 cannot carry are replaced.
#include "fuzz_input.h"

#include <cstring>

namespace {

bool isScalarValue(char32_t c) {
    return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bytes = fuzz::bytesOf(data, size);
    if (const auto text = platform::decodeUtf8(bytes)) {
        fuzz::require(platform::encodeUtf8(*text) == bytes, "decoded UTF-8 encodes back");
    }

    // The same bytes as wide characters, whatever their values.
    std::wstring text(size / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), data, text.size() * sizeof(wchar_t));
    std::wstring expected = text;
    for (auto& c : expected) {
        if (!isScalarValue(static_cast<char32_t>(c))) {
            c = static_cast<wchar_t>(0xFFFD);
        }
    }
    const auto decoded = platform::decodeUtf8(platform::encodeUtf8(text));
    fuzz::require(decoded.has_value(), "encodeUtf8 writes well-formed UTF-8");
    fuzz::require(*decoded == expected, "decoding what encodeUtf8 gives returns the text");
    return 0;
}
