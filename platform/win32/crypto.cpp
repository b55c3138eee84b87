// platform/crypto.h on CNG. bcrypt.dll is delay-loaded from the system folder
// (cmake/delay_load.cmake), so the program's import table does not name it. The
// hash goes through BCryptCreateHash/HashData/FinishHash: the one-call
// BCryptHash needs Windows 10.
#include "platform/crypto.h"

#include <windows.h>

#include <bcrypt.h>

#include <cstring>
#include <vector>

namespace platform {

namespace {

bool succeeded(NTSTATUS status) {
    return status >= 0;
}

// The providers stay open for the life of the process: opening one costs far
// more than a hash of a small file.
BCRYPT_ALG_HANDLE openProvider(const wchar_t* algorithm) {
    BCRYPT_ALG_HANDLE provider = nullptr;
    if (!succeeded(BCryptOpenAlgorithmProvider(&provider, algorithm, nullptr, 0))) {
        return nullptr;
    }
    return provider;
}

BCRYPT_ALG_HANDLE sha256Provider() {
    static const BCRYPT_ALG_HANDLE provider = openProvider(BCRYPT_SHA256_ALGORITHM);
    return provider;
}

BCRYPT_ALG_HANDLE p256Provider() {
    static const BCRYPT_ALG_HANDLE provider = openProvider(BCRYPT_ECDSA_P256_ALGORITHM);
    return provider;
}

} // namespace

void prepareCryptography() {
    sha256Provider();
    p256Provider();
}

struct Sha256::State {
    std::vector<UCHAR> object; // the hash's working memory, which CNG asks the caller for
    BCRYPT_HASH_HANDLE hash = nullptr;
    bool good = false;
};

Sha256::Sha256() : state_(std::make_unique<State>()) {
    const BCRYPT_ALG_HANDLE provider = sha256Provider();
    DWORD objectLength = 0;
    ULONG written = 0;
    if (!provider || !succeeded(BCryptGetProperty(provider, BCRYPT_OBJECT_LENGTH,
                                                  reinterpret_cast<PUCHAR>(&objectLength),
                                                  sizeof objectLength, &written, 0))) {
        return;
    }
    state_->object.resize(objectLength);
    state_->good = succeeded(BCryptCreateHash(provider, &state_->hash, state_->object.data(),
                                              objectLength, nullptr, 0, 0));
}

Sha256::~Sha256() {
    if (state_->hash) {
        BCryptDestroyHash(state_->hash);
    }
}

void Sha256::add(std::string_view bytes) {
    // BCryptHashData takes at most a ULONG at a time.
    while (state_->good && !bytes.empty()) {
        const auto piece = bytes.substr(0, 1u << 30);
        state_->good = succeeded(
            BCryptHashData(state_->hash, reinterpret_cast<PUCHAR>(const_cast<char*>(piece.data())),
                           static_cast<ULONG>(piece.size()), 0));
        bytes.remove_prefix(piece.size());
    }
}

std::optional<Sha256Digest> Sha256::finish() {
    Sha256Digest digest{};
    const bool good =
        state_->good && succeeded(BCryptFinishHash(state_->hash, digest.data(), digest.size(), 0));
    state_->good = false;
    if (!good) {
        return std::nullopt;
    }
    return digest;
}

bool verifyP256Signature(std::span<const std::uint8_t, 65> point, const Sha256Digest& digest,
                         std::span<const std::uint8_t, 64> signature) {
    const BCRYPT_ALG_HANDLE provider = p256Provider();
    if (!provider || point[0] != 0x04) {
        return false;
    }
    // BCRYPT_ECCKEY_BLOB, then X and Y.
    std::vector<UCHAR> blob(sizeof(BCRYPT_ECCKEY_BLOB) + 64);
    BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PUBLIC_P256_MAGIC, 32};
    std::memcpy(blob.data(), &header, sizeof header);
    std::memcpy(blob.data() + sizeof header, point.data() + 1, 64);
    BCRYPT_KEY_HANDLE key = nullptr;
    if (!succeeded(BCryptImportKeyPair(provider, nullptr, BCRYPT_ECCPUBLIC_BLOB, &key, blob.data(),
                                       static_cast<ULONG>(blob.size()), 0))) {
        return false;
    }
    const bool valid = succeeded(BCryptVerifySignature(
        key, nullptr, const_cast<PUCHAR>(digest.data()), static_cast<ULONG>(digest.size()),
        const_cast<PUCHAR>(signature.data()), static_cast<ULONG>(signature.size()), 0));
    BCryptDestroyKey(key);
    return valid;
}

} // namespace platform
