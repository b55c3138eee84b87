#include "snipfetch/index_body.h"

#include "snipfetch/signed_body_check.h"

#include <algorithm>
#include <new>

namespace snipfetch {

IndexBody::IndexBody(std::size_t limit) : limit_(limit) {}

platform::Status IndexBody::append(std::string_view bytes) {
    if (tooLarge_ || bytes.size() > limit_ - text_.size()) {
        tooLarge_ = true;
        return {bodyPastItsSize};
    }
    if (bytes.empty()) {
        return {};
    }
    const std::size_t before = text_.size();
    try {
        text_.append(bytes);
    } catch (const std::bad_alloc&) {
        return {bodyPastItsSize};
    }
    // Each line is read once its LF is here. Only the new bytes are searched, so
    // a line of any length costs one pass.
    std::size_t lastLine = text_.npos;
    for (auto lineFeed = text_.find('\n', std::max(lineStart_, before)); lineFeed != text_.npos;
         lineFeed = text_.find('\n', lineStart_)) {
        lastLine = lineStart_;
        reader_.addLine(std::string_view(text_).substr(lineStart_, lineFeed - lineStart_),
                        lineStart_);
        lineStart_ = lineFeed + 1;
    }
    // The lines before the last whole one are not the signature's: they go into
    // the hash now, in one piece.
    if (lastLine != text_.npos && lastLine > hashed_) {
        hash_.add(std::string_view(text_).substr(hashed_, lastLine - hashed_));
        hashed_ = lastLine;
    }
    return {};
}

void IndexBody::expect(unsigned long long length) {
    if (length > limit_) {
        tooLarge_ = true; // the first bytes fail
        return;
    }
    reader_.expectSize(static_cast<std::size_t>(length));
    try {
        text_.reserve(static_cast<std::size_t>(length));
    } catch (const std::bad_alloc&) {
        // It grows as it comes, and fails then if it must.
    }
}

std::optional<platform::Sha256Digest> IndexBody::digestOf(std::size_t length) {
    if (length < hashed_ || length > text_.size()) {
        return std::nullopt;
    }
    hash_.add(std::string_view(text_).substr(hashed_, length - hashed_));
    hashed_ = length;
    return hash_.finish();
}

} // namespace snipfetch
