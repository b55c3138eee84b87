// A downloaded body checked against its index entry as its bytes arrive: the
// size at every piece (a body that runs past it stops at once), the SHA-256 in
// the same pass, so the file is never read a second time.
#pragma once

#include "platform/crypto.h"
#include "snipfetch/signed_index.h"
#include "snipfetch/signed_listing.h"

namespace snipfetch {

class SignedBodyCheck final : public BodyCheck {
public:
    // Passes every byte it accepts on to `next`.
    SignedBodyCheck(platform::Sha256Digest sha256, std::uint64_t size, platform::ByteSink& next);

    // A failed Status, and nothing passed on, once the body runs past its size.
    platform::Status append(std::string_view bytes) override;
    void expect(unsigned long long length) override { next_.expect(length); }

    bool matches() override;
    bool differs() const override { return differs_; }

private:
    platform::Sha256Digest sha256_;
    std::uint64_t size_;
    std::uint64_t received_ = 0;
    platform::ByteSink& next_;
    platform::Sha256 hash_;
    bool differs_ = false;
};

// The error a body that runs past its size stops its transfer with.
inline constexpr unsigned long bodyPastItsSize = 13; // ERROR_INVALID_DATA

} // namespace snipfetch
