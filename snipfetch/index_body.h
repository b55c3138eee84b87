// The signed index as it arrives: kept whole, up to a limit (largestIndex), read
// line by line, and hashed on the way up to the start of its last line, which in
// an index is the signature's. Index and digest are ready when the body is, with
// no pass of their own after it.
#pragma once

#include "platform/byte_sink.h"
#include "platform/crypto.h"
#include "snipfetch/signed_index.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace snipfetch {

class IndexBody final : public platform::ByteSink {
public:
    explicit IndexBody(std::size_t limit);
    // Fails, and keeps nothing more, once the body runs past the limit.
    platform::Status append(std::string_view bytes) override;
    void expect(unsigned long long length) override;

    bool tooLarge() const { return tooLarge_; }
    std::string_view text() const { return text_; }
    std::string take() { return std::move(text_); }

    // After the last byte: the index, when the body is one (readIndex). Once.
    std::optional<SignedIndex> index() { return reader_.finish(text_.size()); }

    // The SHA-256 of the first `length` bytes of the text (an index's signed
    // part); nothing when the hash already went past them, as it does only when
    // the text is no index.
    std::optional<platform::Sha256Digest> digestOf(std::size_t length);

private:
    std::size_t limit_;
    std::string text_;
    std::size_t hashed_ = 0;
    platform::Sha256 hash_;
    std::size_t lineStart_ = 0; // of the first line not yet read
    IndexReader reader_;
    bool tooLarge_ = false;
};

} // namespace snipfetch
