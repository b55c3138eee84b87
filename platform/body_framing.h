// Whether a response's headers frame its body so that a body cut short shows.
#pragma once

#include <string>
#include <vector>

namespace platform {

// The headers that say how a response's body is framed, as the server sent them.
struct BodyHeaders {
    std::vector<std::wstring> contentLengths; // every Content-Length, in order
    bool transferCoded = false;               // any Transfer-Encoding (chunked ...)
    std::wstring contentEncoding;             // empty when there is none
};

enum class Framing {
    byLength, // one length to check the body against
    noLength, // none: a body cut short could not be told from a whole one
    unusable, // lengths that differ or do not parse, a transfer coding, or a
              // content coding we never ask for (the bytes would be stored encoded)
};

struct FramedLength {
    Framing framing = Framing::noLength;
    unsigned long long length = 0; // byLength only
};

// Repeats of one Content-Length count as one; "identity" is no content coding.
FramedLength framedLength(const BodyHeaders& headers);

} // namespace platform
