// The head of a sniplet file as the server sends it, shown in the list's tip.
#include "fuzz_input.h"
#include "platform/file_names.h"
#include "snipfetch/sniplet_head.h"

namespace {

void requireShowable(const std::wstring& line) {
    fuzz::require(line.size() <= snipfetch::longestHeadLine, "a line is at most 200 characters");
    for (const wchar_t c : line) {
        fuzz::require(c >= 0x20 && !(c >= 0x7F && c <= 0x9F) && !platform::isBidiControl(c),
                      "no control character, no bidirectional control");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto bytes = fuzz::bytesOf(data, size);
    const auto head = snipfetch::readSnipletHead(bytes);
    const bool headerLine = bytes.starts_with("Sniplet File\n") ||
                            bytes.starts_with("Sniplet File\r\n") || bytes == "Sniplet File" ||
                            bytes == "Sniplet File\r";
    fuzz::require(head.has_value() == headerLine, "a head exactly when line 1 is the header");
    if (head) {
        requireShowable(head->name);
        requireShowable(head->author);
        requireShowable(head->description);
    }
    return 0;
}
