#include "snipfetch/sequence_record.h"

#include "platform/files.h"

#include <string_view>

namespace snipfetch {

namespace {

std::wstring recordPath(const std::wstring& folder) {
    return folder + L"\\" + sequenceRecordName;
}

} // namespace

std::uint64_t recordedSequence(const std::wstring& folder) {
    // "<decimal>\n", nothing else.
    const auto text = platform::readSmallFile(recordPath(folder), 32);
    if (!text || text->size() < 2 || text->back() != '\n' || (*text)[0] == '0' ||
        text->size() > 17) {
        return 0;
    }
    std::uint64_t value = 0;
    for (const char c : std::string_view(*text).substr(0, text->size() - 1)) {
        if (c < '0' || c > '9') {
            return 0;
        }
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return value;
}

void recordSequence(const std::wstring& folder, std::uint64_t sequence) {
    if (sequence == 0 || recordedSequence(folder) >= sequence) {
        return;
    }
    std::string text;
    for (auto rest = sequence; rest != 0; rest /= 10) {
        text.insert(text.begin(), static_cast<char>('0' + rest % 10));
    }
    text.push_back('\n');
    platform::replaceHiddenFile(recordPath(folder), text);
}

} // namespace snipfetch
