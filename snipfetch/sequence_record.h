// The highest index sequence that a sniplet folder has accepted, kept in a
// hidden file inside that folder: an index older than it is refused, so a
// server cannot hand back an earlier list (and with it earlier sniplets).
#pragma once

#include <cstdint>
#include <string>

namespace snipfetch {

// Its name inside the folder.
inline constexpr wchar_t sequenceRecordName[] = L"~index-sequence";

// The recorded sequence; 0 (none) when the record is missing or unreadable.
std::uint64_t recordedSequence(const std::wstring& folder);

// Records `sequence` unless the folder already records a higher one. The
// folder must exist; a failure leaves the record as it was.
void recordSequence(const std::wstring& folder, std::uint64_t sequence);

} // namespace snipfetch
