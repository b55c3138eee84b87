// The maker's signed index, Sniplets.index: every sniplet's name, size and
// SHA-256, a sequence number and an expiry, signed with the maker's P-256 key.
//
//   snipfetch index 1
//   sequence <1 to 2^53>
//   expires <YYYY-MM-DDTHH:MM:SSZ>
//   <64 lower-case hex digits> <size> <name>     one per sniplet, in list order
//   signature <base64 of r then s>
//
// UTF-8 with no byte-order mark, every line ending in one LF, no CR anywhere.
// The signature covers every byte before its line and is the last line.
#pragma once

#include "platform/crypto.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace snipfetch {

using P256Point = std::array<std::uint8_t, 65>;

struct IndexEntry {
    platform::Sha256Digest sha256{};
    std::uint64_t size = 0;
    // Where the name lies in the index's text, in bytes.
    std::uint32_t nameOffset = 0;
    std::uint32_t nameLength = 0;
};

// What the maker signed for one file.
struct SignedFile {
    platform::Sha256Digest sha256{};
    std::uint64_t size = 0;
};

struct SignedIndex {
    std::uint64_t sequence = 0;
    std::int64_t expires = 0; // seconds since 1970-01-01T00:00:00Z
    std::vector<IndexEntry> entries;
    std::size_t signedLength = 0; // the bytes the signature covers: the text before its line
    std::array<std::uint8_t, 64> signature{};
};

// The largest index read: far above a million names, and every offset fits the
// list's 32-bit pieces.
constexpr std::size_t largestIndex = 512u << 20;

// The index's parts when `text` is exactly in the form above, else nothing. The
// signature is not checked here.
std::optional<SignedIndex> readIndex(std::string_view text);

// The same reading a line at a time, as the text arrives.
class IndexReader {
public:
    // Room for the entries of a text of about this many bytes.
    void expectSize(std::size_t bytes);
    // The next line, without its LF, which lies at `offset` in the text. False
    // once the text can no longer be an index; later lines change nothing.
    bool addLine(std::string_view line, std::size_t offset);
    // After the last line: the index, when the text, `size` bytes, ended with
    // the signature's line and its LF. Once.
    std::optional<SignedIndex> finish(std::size_t size);

private:
    enum class Part { header, sequence, expires, entries, end };
    Part next_ = Part::header;
    bool failed_ = false;
    std::size_t end_ = 0; // where the lines read so far end
    SignedIndex index_;

    bool read(std::string_view line, std::size_t offset);
};

// True when the index's signature verifies over its text with `key`.
bool isSignedBy(const SignedIndex& index, std::string_view text,
                std::span<const std::uint8_t, 65> key);
// The same, given the SHA-256 of the index's signed part.
bool isSignedBy(const SignedIndex& index, const platform::Sha256Digest& signedPart,
                std::span<const std::uint8_t, 65> key);

// The key as the build gives it (base64 of 04 X Y), when it decodes to 65 bytes
// that begin with 04. Whether the point lies on the curve is left to the check
// of a signature, which fails for any point off it.
std::optional<P256Point> decodeIndexKey(std::string_view base64);

// "YYYY-MM-DD" of a time given in seconds since 1970 (UTC).
std::wstring dateOf(std::int64_t secondsSinceEpoch);

// The text of an index line's time, for the maker's tool: "YYYY-MM-DDTHH:MM:SSZ".
std::string expiryText(std::int64_t secondsSinceEpoch);

} // namespace snipfetch
