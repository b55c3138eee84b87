// Hops of redirects: each line of the input is the Location of the next
// response, resolved against where the previous hop led.
#include "fuzz_input.h"
#include "platform/redirect.h"

#include <array>

namespace {

wchar_t lower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool startsWithNoCase(std::wstring_view text, std::wstring_view lowerPrefix) {
    if (text.size() < lowerPrefix.size()) {
        return false;
    }
    for (std::size_t i = 0; i < lowerPrefix.size(); ++i) {
        if (lower(text[i]) != lowerPrefix[i]) {
            return false;
        }
    }
    return true;
}

// An absolute http or https URL with a host, and nothing a request line cannot hold.
bool isAbsoluteWithHost(std::wstring_view url) {
    const std::size_t schemeEnd = startsWithNoCase(url, L"https://")  ? 8
                                  : startsWithNoCase(url, L"http://") ? 7
                                                                      : 0;
    if (schemeEnd == 0 || url.size() == schemeEnd) {
        return false;
    }
    for (const wchar_t c : url) {
        if (c < 0x20 || c == 0x7F || c == L'#') {
            return false;
        }
    }
    auto authority = url.substr(schemeEnd);
    authority = authority.substr(0, authority.find_first_of(L"/?"));
    authority.remove_prefix(std::min(authority.rfind(L'@') + 1, authority.size()));
    return !authority.empty() && authority.front() != L':' && authority != L"[]" &&
           !authority.starts_with(L"[]");
}

constexpr std::array<const wchar_t*, 4> bases = {L"https://localhost:8443/Sniplets/Sniplets.txt",
                                                 L"http://127.0.0.1/Sniplets/a%20b.snp",
                                                 L"https://a/b/c/d;p?q", L"http://h"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    std::wstring current = bases[data[0] % bases.size()];
    auto rest = fuzz::bytesOf(data + 1, size - 1);
    for (int hop = 0; hop < 10 && !rest.empty(); ++hop) {
        const auto lineEnd = std::min(rest.find('\n'), rest.size());
        const std::wstring location = fuzz::textOf(rest.substr(0, lineEnd));
        rest.remove_prefix(std::min(lineEnd + 1, rest.size()));

        const auto target = platform::redirectTarget(current, location);
        if (!target) {
            continue;
        }
        fuzz::require(isAbsoluteWithHost(*target), "a target is an absolute URL with a host");
        fuzz::require(!startsWithNoCase(current, L"https:") || startsWithNoCase(*target, L"https:"),
                      "never http when the base was https");
        fuzz::require(platform::redirectTarget(*target, *target) == *target,
                      "an absolute target resolves to itself");
        current = *target;
    }
    return 0;
}
