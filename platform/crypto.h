// SHA-256 and the check of an ECDSA P-256 signature, from the system's own
// cryptography: nothing here is written by hand.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string_view>

namespace platform {

using Sha256Digest = std::array<std::uint8_t, 32>;

// A SHA-256 over bytes that come in pieces, as they arrive.
class Sha256 {
public:
    Sha256();
    ~Sha256();
    Sha256(const Sha256&) = delete;
    Sha256& operator=(const Sha256&) = delete;

    void add(std::string_view bytes);
    // Once, after the last add(). Nothing when the system could not hash: such a
    // digest matches no file.
    std::optional<Sha256Digest> finish();

private:
    struct State;
    std::unique_ptr<State> state_;
};

// Opens the system's providers now. Called before the first HTTP request: under
// Wine, the DLLs that WinHTTP brings in bind their own imports of bcrypt.dll
// beside the program when it is not loaded yet; loaded first, from the system
// folder, it is the one they get.
void prepareCryptography();

// True only when `signature` (r then s, 32 bytes each, big-endian) is a valid
// ECDSA signature with SHA-256 of `message` under the public key `point`, the
// uncompressed P-256 point 04 X Y. A point off the curve verifies nothing.
bool verifyP256Signature(std::span<const std::uint8_t, 65> point, std::string_view message,
                         std::span<const std::uint8_t, 64> signature);

// The same check where the message's SHA-256 is already known, as when it was
// hashed while it arrived.
bool verifyP256Signature(std::span<const std::uint8_t, 65> point, const Sha256Digest& digest,
                         std::span<const std::uint8_t, 64> signature);

} // namespace platform
