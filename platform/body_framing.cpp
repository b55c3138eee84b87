#include "platform/body_framing.h"

#include "platform/content_length.h"

#include <algorithm>

namespace platform {

namespace {

bool isIdentity(const std::wstring& coding) {
    constexpr std::wstring_view identity = L"identity";
    return std::equal(
        coding.begin(), coding.end(), identity.begin(), identity.end(),
        [](wchar_t a, wchar_t b) { return (a >= L'A' && a <= L'Z' ? a - L'A' + L'a' : a) == b; });
}

} // namespace

FramedLength framedLength(const BodyHeaders& headers) {
    if (headers.transferCoded ||
        (!headers.contentEncoding.empty() && !isIdentity(headers.contentEncoding))) {
        return {Framing::unusable};
    }
    if (headers.contentLengths.empty()) {
        return {Framing::noLength};
    }
    const auto first = parseContentLength(headers.contentLengths.front());
    for (const auto& text : headers.contentLengths) {
        if (!first || parseContentLength(text) != first) {
            return {Framing::unusable};
        }
    }
    return {Framing::byLength, *first};
}

} // namespace platform
