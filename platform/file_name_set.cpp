#include "platform/file_name_set.h"

#include "platform/utf8.h"

#include <cstring>
#include <limits>
#include <stdexcept>

namespace platform {

namespace {

// FNV-1a over the bytes, folded to 32 bits: quick, and even enough for names
// that differ in a digit or two.
std::uint32_t hashOf(std::string_view key) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : key) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    }
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

constexpr std::size_t lengthBytes = 2;

} // namespace

std::string_view FileNameSet::keyAt(std::uint32_t start) const {
    const char* record = blocks_[start / blockSize].get() + start % blockSize;
    const std::size_t length = static_cast<unsigned char>(record[0]) |
                               static_cast<std::size_t>(static_cast<unsigned char>(record[1])) << 8;
    return std::string_view(record + lengthBytes, length);
}

void FileNameSet::addKey(std::wstring_view key) {
    encoded_.clear();
    appendEncodedUtf8(key, encoded_);
    addUtf8Key(encoded_);
}

void FileNameSet::addUtf8Key(std::string_view key) {
    const std::size_t recordSize = lengthBytes + key.size();
    if (key.size() > 0xFFFF ||
        blocks_.size() >= std::numeric_limits<std::uint32_t>::max() / blockSize) {
        throw std::length_error("file name too long, or too many");
    }
    if ((size_ + 1) * 2 > slots_.size()) {
        grow();
    }
    if (blockSize - usedInLastBlock_ < recordSize) {
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(blockSize));
        usedInLastBlock_ = 0;
    }
    char* record = blocks_.back().get() + usedInLastBlock_;
    record[0] = static_cast<char>(key.size() & 0xFF);
    record[1] = static_cast<char>(key.size() >> 8);
    std::memcpy(record + lengthBytes, key.data(), key.size());
    const auto start =
        static_cast<std::uint32_t>((blocks_.size() - 1) * blockSize + usedInLastBlock_);
    usedInLastBlock_ += recordSize;
    ++size_;
    place(Slot{hashOf(key), start + 1});
}

bool FileNameSet::containsKey(std::wstring_view key) const {
    if (slots_.empty()) {
        return false;
    }
    encoded_.clear();
    appendEncodedUtf8(key, encoded_);
    return containsUtf8Key(encoded_);
}

bool FileNameSet::containsUtf8Key(std::string_view key) const {
    if (slots_.empty()) {
        return false;
    }
    const std::uint32_t hash = hashOf(key);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.key == 0) {
            return false;
        }
        if (slot.hash == hash && keyAt(slot.key - 1) == key) {
            return true;
        }
    }
}

// Linear probing: the table is never more than half full, so runs stay short.
void FileNameSet::place(Slot slot) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = slot.hash & mask;
    while (slots_[at].key != 0) {
        at = (at + 1) & mask;
    }
    slots_[at] = slot;
}

void FileNameSet::grow() {
    std::vector<Slot> old(slots_.empty() ? 64 : slots_.size() * 2);
    old.swap(slots_);
    for (const Slot& slot : old) {
        if (slot.key != 0) {
            place(slot);
        }
    }
}

} // namespace platform
