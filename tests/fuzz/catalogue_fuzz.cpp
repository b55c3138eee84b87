// The catalogue's road from the server's bytes to the names Get List shows.
#include "fuzz_input.h"
#include "platform/file_names.h"
#include "snipfetch/catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto body = fuzz::bytesOf(data, size);
    const std::wstring text = snipfetch::decodeCatalogue(body);
    if (const auto utf8 = platform::decodeUtf8(body); utf8 && !body.starts_with("\xEF\xBB\xBF")) {
        fuzz::require(text == *utf8, "a UTF-8 body is read as UTF-8");
    }

    const auto entries = snipfetch::splitCatalogue(text);
    std::size_t separators = 0;
    for (auto at = text.find(L"\r\n"); at != std::wstring::npos; at = text.find(L"\r\n", at + 2)) {
        ++separators;
    }
    fuzz::require(entries.size() == (text.empty() ? 0 : separators + 1),
                  "one entry more than there are CR LF");
    for (const auto& entry : entries) {
        fuzz::require(entry.find(L"\r\n") == std::wstring::npos, "no entry holds CR LF");
        fuzz::require(entry.empty() || (entry.front() != L' ' && entry.back() != L' '),
                      "entries are trimmed");
    }

    std::size_t usable = 0;
    for (const auto& entry : entries) {
        usable += platform::isUsableFileName(entry) ? 1 : 0;
    }
    const auto names = snipfetch::catalogueNames(text);
    fuzz::require(names.size() == usable, "every usable entry is kept");
    for (const auto& name : names) {
        fuzz::require(platform::isUsableFileName(name), "every name kept is a usable file name");
        fuzz::require(name.find_first_of(L"\r\n") == std::wstring::npos, "no name holds CR or LF");
    }

    // Get List walks the body name by name: the same names, each where it lies.
    const std::string utf8 = snipfetch::catalogueAsUtf8(std::string(body));
    std::size_t walked = 0;
    snipfetch::forEachCatalogueName(
        utf8, [&](std::wstring_view name, std::size_t offset, std::size_t length) {
            fuzz::require(walked < names.size() && name == names[walked],
                          "the walk gives the names catalogueNames keeps, in order");
            fuzz::require(offset + length <= utf8.size() &&
                              platform::decodeUtf8(std::string_view(utf8).substr(offset, length)) ==
                                  std::wstring(name),
                          "each walked name is the UTF-8 where it is said to lie");
            ++walked;
        });
    fuzz::require(walked == names.size(), "the walk leaves no name out");
    return 0;
}
