#include "platform/body_framing.h"

#include "platform/ascii_case.h"
#include "platform/content_length.h"

namespace platform {

FramedLength framedLength(const BodyHeaders& headers) {
    if (headers.transferCoded ||
        (!headers.contentEncoding.empty() && !equalsNoCase(headers.contentEncoding, L"identity"))) {
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
