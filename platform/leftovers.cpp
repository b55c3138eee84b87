#include "platform/leftovers.h"

#include <cstdint>
#include <limits>

namespace platform {

namespace {

int digitValue(wchar_t c, unsigned base) {
    if (c >= L'0' && c <= L'9') {
        return c - L'0';
    }
    if (base == 16 && c >= L'a' && c <= L'f') {
        return c - L'a' + 10;
    }
    if (base == 16 && c >= L'A' && c <= L'F') {
        return c - L'A' + 10;
    }
    return -1;
}

// A whole run of digits in that base that fits a process id; consumes it.
std::optional<unsigned long> number(std::wstring_view& text, unsigned base) {
    unsigned long long value = 0;
    std::size_t length = 0;
    for (; length < text.size(); ++length) {
        const int digit = digitValue(text[length], base);
        if (digit < 0) {
            break;
        }
        value = value * base + static_cast<unsigned>(digit);
        if (value > std::numeric_limits<std::uint32_t>::max()) {
            return std::nullopt;
        }
    }
    if (length == 0) {
        return std::nullopt;
    }
    text.remove_prefix(length);
    return static_cast<unsigned long>(value);
}

bool consume(std::wstring_view& text, std::wstring_view prefix) {
    if (!text.starts_with(prefix)) {
        return false;
    }
    text.remove_prefix(prefix.size());
    return true;
}

} // namespace

std::optional<unsigned long> leftoverOwner(std::wstring_view name) {
    if (consume(name, L"~staging-")) {
        auto owner = number(name, 10);
        return name.empty() ? owner : std::nullopt;
    }
    if (consume(name, L"~rf")) {
        auto owner = number(name, 16);
        if (owner && consume(name, L"-") && number(name, 16) && name == L".tmp") {
            return owner;
        }
    }
    return std::nullopt;
}

} // namespace platform
