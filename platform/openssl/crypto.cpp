// platform/crypto.h for native builds (the unit tests and the maker's tool), on
// OpenSSL's libcrypto.
#include "platform/crypto.h"

#include <openssl/core_names.h>
#include <openssl/ecdsa.h>
#include <openssl/evp.h>
#include <openssl/params.h>

#include <vector>

namespace platform {

void prepareCryptography() {}

struct Sha256::State {
    EVP_MD_CTX* context = nullptr;
    bool good = false;
};

Sha256::Sha256() : state_(std::make_unique<State>()) {
    state_->context = EVP_MD_CTX_new();
    state_->good =
        state_->context && EVP_DigestInit_ex(state_->context, EVP_sha256(), nullptr) == 1;
}

Sha256::~Sha256() {
    EVP_MD_CTX_free(state_->context);
}

void Sha256::add(std::string_view bytes) {
    if (state_->good && !bytes.empty()) {
        state_->good = EVP_DigestUpdate(state_->context, bytes.data(), bytes.size()) == 1;
    }
}

std::optional<Sha256Digest> Sha256::finish() {
    Sha256Digest digest{};
    unsigned int length = 0;
    if (!state_->good || EVP_DigestFinal_ex(state_->context, digest.data(), &length) != 1 ||
        length != digest.size()) {
        state_->good = false;
        return std::nullopt;
    }
    state_->good = false;
    return digest;
}

namespace {

EVP_PKEY* publicKeyOf(std::span<const std::uint8_t, 65> point) {
    char group[] = "prime256v1";
    OSSL_PARAM params[] = {
        OSSL_PARAM_construct_utf8_string(OSSL_PKEY_PARAM_GROUP_NAME, group, 0),
        OSSL_PARAM_construct_octet_string(OSSL_PKEY_PARAM_PUB_KEY,
                                          const_cast<std::uint8_t*>(point.data()), point.size()),
        OSSL_PARAM_construct_end(),
    };
    EVP_PKEY_CTX* context = EVP_PKEY_CTX_new_from_name(nullptr, "EC", nullptr);
    EVP_PKEY* key = nullptr;
    if (context && EVP_PKEY_fromdata_init(context) == 1) {
        EVP_PKEY_fromdata(context, &key, EVP_PKEY_PUBLIC_KEY, params);
    }
    EVP_PKEY_CTX_free(context);
    if (!key) {
        return nullptr;
    }
    // fromdata takes any octets; only a point on the curve is a key.
    EVP_PKEY_CTX* check = EVP_PKEY_CTX_new_from_pkey(nullptr, key, nullptr);
    const bool onCurve = check && EVP_PKEY_public_check(check) == 1;
    EVP_PKEY_CTX_free(check);
    if (!onCurve) {
        EVP_PKEY_free(key);
        return nullptr;
    }
    return key;
}

// The DER form OpenSSL verifies, from r then s.
std::vector<unsigned char> derSignature(std::span<const std::uint8_t, 64> signature) {
    std::vector<unsigned char> der;
    ECDSA_SIG* sig = ECDSA_SIG_new();
    BIGNUM* r = BN_bin2bn(signature.data(), 32, nullptr);
    BIGNUM* s = BN_bin2bn(signature.data() + 32, 32, nullptr);
    if (sig && r && s && ECDSA_SIG_set0(sig, r, s) == 1) {
        r = s = nullptr; // owned by sig now
        unsigned char* out = nullptr;
        const int length = i2d_ECDSA_SIG(sig, &out);
        if (length > 0) {
            der.assign(out, out + length);
        }
        OPENSSL_free(out);
    }
    BN_free(r);
    BN_free(s);
    ECDSA_SIG_free(sig);
    return der;
}

} // namespace

bool verifyP256Signature(std::span<const std::uint8_t, 65> point, const Sha256Digest& digest,
                         std::span<const std::uint8_t, 64> signature) {
    EVP_PKEY* key = publicKeyOf(point);
    if (!key) {
        return false;
    }
    const auto der = derSignature(signature);
    EVP_PKEY_CTX* context = EVP_PKEY_CTX_new_from_pkey(nullptr, key, nullptr);
    const bool valid =
        !der.empty() && context && EVP_PKEY_verify_init(context) == 1 &&
        EVP_PKEY_CTX_set_signature_md(context, EVP_sha256()) == 1 &&
        EVP_PKEY_verify(context, der.data(), der.size(), digest.data(), digest.size()) == 1;
    EVP_PKEY_CTX_free(context);
    EVP_PKEY_free(key);
    return valid;
}

} // namespace platform
