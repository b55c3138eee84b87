// Names found in the sniplet folder: which are leftovers of ours, and whose.
#include "fuzz_input.h"
#include "platform/leftovers.h"

#include <cwchar>

namespace {

std::wstring hex(unsigned long value) {
    wchar_t text[16];
    std::swprintf(text, 16, L"%lx", value);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring name = fuzz::textOf(fuzz::bytesOf(data, size));
    const auto owner = platform::leftoverOwner(name);
    if (owner) {
        fuzz::require(*owner <= 0xFFFFFFFFul, "a process id fits 32 bits");
        const bool staging = name.starts_with(L"~staging-");
        fuzz::require(staging || (name.starts_with(L"~rf") && name.ends_with(L".tmp")),
                      "only our two patterns");
        // Read back from the name we would write for that process.
        const auto written =
            staging ? L"~staging-" + std::to_wstring(*owner) : L"~rf" + hex(*owner) + L"-1.tmp";
        fuzz::require(platform::leftoverOwner(written) == owner, "our own names read back");
    }
    return 0;
}
