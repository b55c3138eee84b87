// The screen every name from the server passes before it names a file.
#include "fuzz_input.h"
#include "platform/file_names.h"

namespace {

std::wstring upperAscii(std::wstring name) {
    for (auto& c : name) {
        if (c >= L'a' && c <= L'z') {
            c = static_cast<wchar_t>(c - L'a' + L'A');
        }
    }
    return name;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::wstring name = fuzz::textOf(fuzz::bytesOf(data, size));
    const bool usable = platform::isUsableFileName(name);
    fuzz::require(usable == platform::isUsableFileName(upperAscii(name)),
                  "letter case never decides");
    if (!usable) {
        return 0;
    }
    // Beneath the sniplet folder, the name is one path component, and no other.
    fuzz::require(name.find_first_of(L"\\/:") == std::wstring::npos, "no separator, no drive");
    fuzz::require(name != L"." && name != L".." && name.size() <= platform::longestFileName,
                  "neither the folder nor its parent");
    for (const wchar_t c : name) {
        fuzz::require(c >= 0x20 && c != 0x202E, "no control character, no right-to-left override");
    }
    // An extension keeps the stem, and so whether it is a device.
    if (name.size() + 4 <= platform::longestFileName) {
        fuzz::require(platform::isUsableFileName(name + L".snp"), "an extension keeps it usable");
    }
    return 0;
}
