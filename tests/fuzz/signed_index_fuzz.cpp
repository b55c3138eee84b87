// The maker's index from the server's bytes: whatever it accepts, it reads back
// exactly, its names in the order the text has them.
#include "fuzz_input.h"
#include "snipfetch/signed_index.h"
#include "snipindex/index_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto text = fuzz::bytesOf(data, size);
    const auto index = snipfetch::readIndex(text);
    if (!index) {
        return 0;
    }
    fuzz::require(index->sequence >= 1 && index->sequence <= (std::uint64_t{1} << 53),
                  "the sequence is within 1 to 2^53");
    fuzz::require(index->signedLength < text.size() &&
                      text.substr(index->signedLength).starts_with("signature ") &&
                      text.ends_with('\n') &&
                      text.find('\n', index->signedLength) == text.size() - 1,
                  "the signature is the last line");
    fuzz::require(text.find('\r') == std::string_view::npos, "no CR in an accepted index");

    // Written again from its parts, the index is the signed text itself: every
    // name where it stood, in order, and nothing lost or added.
    std::vector<snipindex::PublishedFile> files;
    std::size_t previousEnd = 0;
    for (const auto& entry : index->entries) {
        fuzz::require(entry.nameOffset >= previousEnd && entry.nameLength > 0 &&
                          entry.nameOffset + entry.nameLength < index->signedLength &&
                          text[entry.nameOffset + entry.nameLength] == '\n',
                      "each name is the rest of its line, after the one before");
        previousEnd = entry.nameOffset + entry.nameLength;
        files.push_back({std::string(text.substr(entry.nameOffset, entry.nameLength)), entry.sha256,
                         entry.size});
    }
    fuzz::require(snipindex::unsignedIndexText(index->sequence, index->expires, files) ==
                      text.substr(0, index->signedLength),
                  "the parts read give back the signed text");
    return 0;
}
