// Sniplets.index and Sniplets.txt as the maker's tool writes them.
#pragma once

#include "platform/crypto.h"
#include "snipindex/signing_key.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace snipindex {

struct PublishedFile {
    std::string name; // UTF-8, as it goes on the line
    platform::Sha256Digest sha256{};
    std::uint64_t size = 0;
};

// Everything the signature covers: the first lines and one line per file.
std::string unsignedIndexText(std::uint64_t sequence, std::int64_t expires,
                              const std::vector<PublishedFile>& files);

// The whole index: the text above and its signature line. Nothing when signing failed.
std::optional<std::string> signedIndexText(std::uint64_t sequence, std::int64_t expires,
                                           const std::vector<PublishedFile>& files,
                                           const SigningKey& key);

// The catalogue of the same names: each followed by CR LF.
std::string catalogueText(const std::vector<PublishedFile>& files);

} // namespace snipindex
