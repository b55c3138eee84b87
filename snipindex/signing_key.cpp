#include "snipindex/signing_key.h"

#include <openssl/bio.h>
#include <openssl/core_names.h>
#include <openssl/ec.h>
#include <openssl/ecdsa.h>
#include <openssl/evp.h>
#include <openssl/pem.h>

#include <cstring>

namespace snipindex {

struct SigningKey::Key {
    EVP_PKEY* pkey = nullptr;
    ~Key() { EVP_PKEY_free(pkey); }
};

SigningKey::SigningKey(std::unique_ptr<Key> key) : key_(std::move(key)) {}
SigningKey::SigningKey(SigningKey&&) noexcept = default;
SigningKey& SigningKey::operator=(SigningKey&&) noexcept = default;
SigningKey::~SigningKey() = default;

namespace {

bool isP256(EVP_PKEY* pkey) {
    char group[32] = {};
    std::size_t length = 0;
    return EVP_PKEY_is_a(pkey, "EC") &&
           EVP_PKEY_get_utf8_string_param(pkey, OSSL_PKEY_PARAM_GROUP_NAME, group, sizeof group,
                                          &length) == 1 &&
           std::strcmp(group, "prime256v1") == 0;
}

} // namespace

std::optional<SigningKey> SigningKey::generate() {
    auto key = std::make_unique<Key>();
    key->pkey = EVP_EC_gen("P-256");
    if (!key->pkey) {
        return std::nullopt;
    }
    return SigningKey(std::move(key));
}

std::optional<SigningKey> SigningKey::fromPem(std::string_view pem) {
    BIO* in = BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size()));
    auto key = std::make_unique<Key>();
    if (in) {
        key->pkey = PEM_read_bio_PrivateKey(in, nullptr, nullptr, nullptr);
    }
    BIO_free(in);
    if (!key->pkey || !isP256(key->pkey)) {
        return std::nullopt;
    }
    return SigningKey(std::move(key));
}

std::string SigningKey::pem() const {
    BIO* out = BIO_new(BIO_s_mem());
    std::string text;
    if (out && PEM_write_bio_PrivateKey(out, key_->pkey, nullptr, nullptr, 0, nullptr, nullptr)) {
        char* data = nullptr;
        const long length = BIO_get_mem_data(out, &data);
        text.assign(data, static_cast<std::size_t>(length));
    }
    BIO_free(out);
    return text;
}

snipfetch::P256Point SigningKey::publicPoint() const {
    snipfetch::P256Point point{};
    std::size_t length = 0;
    // OpenSSL gives the uncompressed form unless told otherwise.
    EVP_PKEY_get_octet_string_param(key_->pkey, OSSL_PKEY_PARAM_PUB_KEY, point.data(), point.size(),
                                    &length);
    if (length != point.size()) {
        point = {};
    }
    return point;
}

std::optional<std::array<std::uint8_t, 64>> SigningKey::sign(std::string_view message) const {
    EVP_MD_CTX* context = EVP_MD_CTX_new();
    std::size_t derLength = 0;
    std::optional<std::array<std::uint8_t, 64>> result;
    if (context && EVP_DigestSignInit(context, nullptr, EVP_sha256(), nullptr, key_->pkey) == 1 &&
        EVP_DigestSign(context, nullptr, &derLength,
                       reinterpret_cast<const unsigned char*>(message.data()),
                       message.size()) == 1) {
        std::string der(derLength, '\0');
        auto* derBytes = reinterpret_cast<unsigned char*>(der.data());
        if (EVP_DigestSign(context, derBytes, &derLength,
                           reinterpret_cast<const unsigned char*>(message.data()),
                           message.size()) == 1) {
            // DER's SEQUENCE { r, s } into the fixed 32 + 32 bytes the index holds.
            const unsigned char* in = derBytes;
            ECDSA_SIG* sig = d2i_ECDSA_SIG(nullptr, &in, static_cast<long>(derLength));
            std::array<std::uint8_t, 64> raw{};
            if (sig && BN_bn2binpad(ECDSA_SIG_get0_r(sig), raw.data(), 32) == 32 &&
                BN_bn2binpad(ECDSA_SIG_get0_s(sig), raw.data() + 32, 32) == 32) {
                result = raw;
            }
            ECDSA_SIG_free(sig);
        }
    }
    EVP_MD_CTX_free(context);
    return result;
}

std::string encodeBase64(std::string_view bytes) {
    std::string text(4 * ((bytes.size() + 2) / 3) + 1, '\0');
    const int length = EVP_EncodeBlock(reinterpret_cast<unsigned char*>(text.data()),
                                       reinterpret_cast<const unsigned char*>(bytes.data()),
                                       static_cast<int>(bytes.size()));
    text.resize(static_cast<std::size_t>(length));
    return text;
}

} // namespace snipindex
