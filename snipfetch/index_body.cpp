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
    for (auto lineFeed = text_.find('\n', std::max(lineStart_, before)); lineFeed != text_.npos;
         lineFeed = text_.find('\n', lineStart_)) {
        reader_.addLine(std::string_view(text_).substr(lineStart_, lineFeed - lineStart_),
                        lineStart_);
        lineStart_ = lineFeed + 1;
    }
    // A line that more bytes follow is not the last one: everything up to the
    // last line feed before the newest byte can be hashed. Only the bytes new
    // since the last search are searched, so a line of any length costs one pass.
    const std::string_view settled =
        std::string_view(text_).substr(0, text_.size() - 1).substr(before == 0 ? 0 : before - 1);
    if (const auto lineFeed = settled.rfind('\n'); lineFeed != settled.npos) {
        const std::size_t end = (before == 0 ? 0 : before - 1) + lineFeed + 1;
        hash_.add(std::string_view(text_).substr(hashed_, end - hashed_));
        hashed_ = end;
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
