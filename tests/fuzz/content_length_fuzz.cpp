// A response's Content-Length against the standard library's reading of it.
#include "fuzz_input.h"
#include "platform/content_length.h"

#include <charconv>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bytes = fuzz::bytesOf(data, size);
    const std::wstring text(bytes.begin(), bytes.end());
    const auto parsed = platform::parseContentLength(text);

    unsigned long long expected = 0;
    const bool digitsOnly = !bytes.empty() && bytes.find_first_not_of("0123456789") == bytes.npos;
    const auto [end, error] = std::from_chars(bytes.data(), bytes.data() + bytes.size(), expected);
    const bool fits = digitsOnly && error == std::errc{} && end == bytes.data() + bytes.size();
    fuzz::require(parsed.has_value() == fits, "digits that fit 64 bits, and nothing else");
    if (parsed) {
        fuzz::require(*parsed == expected, "the value the digits say");
    }
    return 0;
}
