// A set of file names as a folder holds them, for a folder of a million files:
// their case keys (fileNameCaseKey) one after the other in one block, and a flat
// table of their hashes. No allocation per name; a lookup compares the hash,
// then the key itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class FileNameSet {
public:
    // key: fileNameCaseKey of the name. Adding a key twice keeps both.
    void addKey(std::wstring_view key);
    bool containsKey(std::wstring_view key) const;

    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }

private:
    struct Slot {
        std::uint32_t hash = 0;
        std::uint32_t entry = 0; // 1 + the key's index; 0: a free slot
    };
    std::wstring keys_;
    std::vector<std::uint32_t> ends_; // where each key ends in keys_
    std::vector<Slot> slots_;         // a power of two, at most half of them in use

    std::wstring_view keyAt(std::size_t index) const;
    void place(Slot slot);
    void grow();
};

} // namespace platform
