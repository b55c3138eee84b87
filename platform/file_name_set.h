// A set of file names as a folder holds them, for a folder of a million files:
// their case keys (fileNameCaseKey) in UTF-8, one after the other in blocks of
// 1 MiB that never move, and a flat table of their hashes. No allocation per
// name and no copy as it grows; a lookup compares the hash, then the key itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace platform {

class FileNameSet {
public:
    // key: fileNameCaseKey of the name. Adding a key twice keeps both.
    void addKey(std::wstring_view key);
    // Not for two threads at once: it encodes the key into storage of its own.
    bool containsKey(std::wstring_view key) const;
    // The same with the key already in UTF-8 (an ASCII name's key is its bytes
    // in upper case): no conversion on the way.
    void addUtf8Key(std::string_view key);
    bool containsUtf8Key(std::string_view key) const;

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t key = 0; // 1 + where the key's record starts; 0: a free slot
    };
    static constexpr std::size_t blockSize = 1 << 20;
    // Each key is a record: its length in two bytes, then its bytes.
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t usedInLastBlock_ = blockSize;
    std::size_t size_ = 0;
    std::vector<Slot> slots_; // a power of two, at most half of them in use
    mutable std::string encoded_;

    std::string_view keyAt(std::uint32_t start) const;
    void place(Slot slot);
    void grow();
};

// The case key of an ASCII name (UTF-16 or UTF-8), in UTF-8, into key: its
// letters in upper case. False, and key left as it was, for any other name.
template <class Char> bool asciiCaseKey(std::basic_string_view<Char> name, std::string& key) {
    for (const Char c : name) {
        if (static_cast<std::make_unsigned_t<Char>>(c) >= 0x80) {
            return false;
        }
    }
    key.resize(name.size());
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<char>(name[i]);
        key[i] = c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c;
    }
    return true;
}

} // namespace platform
