// What Get List and Download do in a build with the maker's key: the list comes
// from the maker's signed index, and each file is checked against it. Only such
// a build makes one (snipfetch/main.cpp), so a build without a key carries none
// of this code.
#pragma once

#include "platform/byte_sink.h"
#include "platform/controls.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace snipfetch {

// A body checked against what the maker signed for it as its bytes arrive, then
// passed on.
class BodyCheck : public platform::ByteSink {
public:
    // After the last byte: exactly the size, and the hash matches.
    virtual bool matches() = 0;
    // The body was found to differ: too long, or (after matches()) not the file.
    virtual bool differs() const = 0;
};

// Get List's outcome from the index.
struct SignedList {
    bool accepted = false;
    // Refused: why, as the user reads it; empty when no answer came at all.
    std::wstring refusal;
    // Accepted: the index's text and the rows, pieces of it.
    std::string text;
    std::vector<platform::CheckList::Piece> rows;
};

class SignedListing {
public:
    virtual ~SignedListing() = default;

    // Fetches the index from `host` and, once accepted, gives its names that
    // `folder` lacks, in index order. The rows it gives stay the ones that
    // checkFor() knows until the next accepted list.
    virtual SignedList fetchList(const std::wstring& host, const std::wstring& folder) = 0;

    // Before Download's first file: the accepted index's sequence recorded in
    // `folder`, which exists.
    virtual void recordAccepted(const std::wstring& folder) = 0;

    // A check of the body of row `row` that passes its bytes on to `next`;
    // nothing when the row has no signed entry, which fails its file.
    virtual std::unique_ptr<BodyCheck> checkFor(std::size_t row, platform::ByteSink& next) = 0;
};

// With the maker's key as the build gives it (base64 of the P-256 point 04 X Y).
// A key that does not decode verifies nothing: every list is refused.
std::unique_ptr<SignedListing> makeSignedListing(std::string_view indexKey);

} // namespace snipfetch
