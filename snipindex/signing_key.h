// The maker's P-256 private key, on OpenSSL's libcrypto.
#pragma once

#include "snipfetch/signed_index.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace snipindex {

class SigningKey {
public:
    static std::optional<SigningKey> generate();
    // From PEM (PKCS #8 or the traditional EC form); nothing for anything but a P-256 private key.
    static std::optional<SigningKey> fromPem(std::string_view pem);

    SigningKey(SigningKey&&) noexcept;
    SigningKey& operator=(SigningKey&&) noexcept;
    ~SigningKey();

    std::string pem() const; // PKCS #8, unencrypted
    snipfetch::P256Point publicPoint() const;
    // ECDSA with SHA-256 over `message`, as r then s (32 bytes each).
    std::optional<std::array<std::uint8_t, 64>> sign(std::string_view message) const;

private:
    struct Key;
    explicit SigningKey(std::unique_ptr<Key> key);
    std::unique_ptr<Key> key_;
};

// Standard base64 with padding.
std::string encodeBase64(std::string_view bytes);

} // namespace snipindex
