#include "snipfetch/signed_body_check.h"

namespace snipfetch {

SignedBodyCheck::SignedBodyCheck(platform::Sha256Digest sha256, std::uint64_t size,
                                 platform::ByteSink& next)
    : sha256_(sha256), size_(size), next_(next) {}

platform::Status SignedBodyCheck::append(std::string_view bytes) {
    if (differs_ || bytes.size() > size_ - received_) {
        differs_ = true;
        return {bodyPastItsSize};
    }
    received_ += bytes.size();
    hash_.add(bytes);
    return next_.append(bytes);
}

bool SignedBodyCheck::matches() {
    if (differs_) {
        return false;
    }
    const auto digest = hash_.finish();
    differs_ = received_ != size_ || !digest || *digest != sha256_;
    return !differs_;
}

} // namespace snipfetch
