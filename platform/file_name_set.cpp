#include "platform/file_name_set.h"

#include <limits>
#include <stdexcept>

namespace platform {

namespace {

// FNV-1a over the UTF-16 (or UTF-32) units: quick, and even enough for names
// that differ in a digit or two.
std::uint64_t hashOf(std::wstring_view key) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const wchar_t c : key) {
        hash = (hash ^ static_cast<std::uint64_t>(c)) * 1099511628211ULL;
    }
    return hash;
}

// The table's index takes the low bits of the folded hash, the slot keeps all 32.
std::uint32_t slotHash(std::wstring_view key) {
    const std::uint64_t hash = hashOf(key);
    return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

} // namespace

std::wstring_view FileNameSet::keyAt(std::size_t index) const {
    const std::size_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::wstring_view(keys_).substr(begin, ends_[index] - begin);
}

void FileNameSet::addKey(std::wstring_view key) {
    constexpr auto most = std::numeric_limits<std::uint32_t>::max();
    if (key.size() > most - keys_.size() || ends_.size() >= most / 2) {
        throw std::length_error("too many file names");
    }
    if ((ends_.size() + 1) * 2 > slots_.size()) {
        grow();
    }
    keys_.append(key);
    ends_.push_back(static_cast<std::uint32_t>(keys_.size()));
    place(Slot{slotHash(key), static_cast<std::uint32_t>(ends_.size())});
}

bool FileNameSet::containsKey(std::wstring_view key) const {
    if (slots_.empty()) {
        return false;
    }
    const std::uint32_t hash = slotHash(key);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t at = hash & mask;; at = (at + 1) & mask) {
        const Slot& slot = slots_[at];
        if (slot.entry == 0) {
            return false;
        }
        if (slot.hash == hash && keyAt(slot.entry - 1) == key) {
            return true;
        }
    }
}

// Linear probing: the table is never more than half full, so runs stay short.
void FileNameSet::place(Slot slot) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t at = slot.hash & mask;
    while (slots_[at].entry != 0) {
        at = (at + 1) & mask;
    }
    slots_[at] = slot;
}

void FileNameSet::grow() {
    std::vector<Slot> old(slots_.empty() ? 64 : slots_.size() * 2);
    old.swap(slots_);
    for (const Slot& slot : old) {
        if (slot.entry != 0) {
            place(slot);
        }
    }
}

} // namespace platform
