// What the backends' hashes and signature checks make together.
#include "platform/crypto.h"

namespace platform {

bool verifyP256Signature(std::span<const std::uint8_t, 65> point, std::string_view message,
                         std::span<const std::uint8_t, 64> signature) {
    Sha256 hash;
    hash.add(message);
    const auto digest = hash.finish();
    return digest && verifyP256Signature(point, *digest, signature);
}

} // namespace platform
