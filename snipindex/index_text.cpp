#include "snipindex/index_text.h"

#include "snipfetch/signed_index.h"

namespace snipindex {

std::string unsignedIndexText(std::uint64_t sequence, std::int64_t expires,
                              const std::vector<PublishedFile>& files) {
    std::string text = "snipfetch index 1\nsequence " + std::to_string(sequence) + "\nexpires " +
                       snipfetch::expiryText(expires) + "\n";
    constexpr char hex[] = "0123456789abcdef";
    for (const auto& file : files) {
        for (const std::uint8_t byte : file.sha256) {
            text.push_back(hex[byte >> 4]);
            text.push_back(hex[byte & 15]);
        }
        text += ' ' + std::to_string(file.size) + ' ' + file.name + '\n';
    }
    return text;
}

std::optional<std::string> signedIndexText(std::uint64_t sequence, std::int64_t expires,
                                           const std::vector<PublishedFile>& files,
                                           const SigningKey& key) {
    auto text = unsignedIndexText(sequence, expires, files);
    const auto signature = key.sign(text);
    if (!signature) {
        return std::nullopt;
    }
    text += "signature " +
            encodeBase64(std::string_view(reinterpret_cast<const char*>(signature->data()),
                                          signature->size())) +
            "\n";
    return text;
}

std::string catalogueText(const std::vector<PublishedFile>& files) {
    std::string text;
    for (const auto& file : files) {
        text += file.name + "\r\n";
    }
    return text;
}

} // namespace snipindex
