#include "snipfetch/catalogue.h"

#include "platform/code_page.h"
#include "platform/file_names.h"
#include "snipfetch/utf8.h"

namespace snipfetch {

namespace {

constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";

// Calls each(entry) for every CR LF-separated entry: none for an empty text,
// an empty last one for a text that ends in CR LF.
template <class Char, class Each>
void forEachEntry(std::basic_string_view<Char> text, const Each& each) {
    constexpr Char separator[] = {Char('\r'), Char('\n')};
    const std::basic_string_view<Char> crLf(separator, 2);
    if (text.empty()) {
        return;
    }
    std::size_t start = 0;
    for (;;) {
        const auto end = text.find(crLf, start);
        if (end == text.npos) {
            each(text.substr(start));
            return;
        }
        each(text.substr(start, end - start));
        start = end + crLf.size();
    }
}

std::wstring_view trimSpaces(std::wstring_view entry) {
    const auto first = entry.find_first_not_of(L' ');
    if (first == std::wstring_view::npos) {
        return {};
    }
    const auto last = entry.find_last_not_of(L' ');
    return entry.substr(first, last - first + 1);
}

} // namespace

std::wstring decodeCatalogue(std::string_view body) {
    auto withoutMark = body;
    if (withoutMark.starts_with(utf8ByteOrderMark)) {
        withoutMark.remove_prefix(utf8ByteOrderMark.size());
    }
    if (auto text = decodeUtf8(withoutMark)) {
        return *std::move(text);
    }
    return platform::fromAnsi(body);
}

std::vector<std::wstring> splitCatalogue(std::wstring_view text) {
    std::vector<std::wstring> entries;
    forEachEntry(text, [&](std::wstring_view entry) { entries.emplace_back(trimSpaces(entry)); });
    return entries;
}

std::vector<std::wstring> catalogueNames(std::wstring_view text) {
    auto entries = splitCatalogue(text);
    std::erase_if(entries,
                  [](const std::wstring& name) { return !platform::isUsableFileName(name); });
    return entries;
}

void forEachCatalogueName(std::string_view body,
                          const std::function<void(std::wstring_view name)>& take) {
    const auto offerEntry = [&](std::wstring_view entry) {
        const auto name = trimSpaces(entry);
        if (platform::isUsableFileName(name)) {
            take(name);
        }
    };
    auto withoutMark = body;
    if (withoutMark.starts_with(utf8ByteOrderMark)) {
        withoutMark.remove_prefix(utf8ByteOrderMark.size());
    }
    // CR and LF never occur inside a UTF-8 sequence, so the bytes split as the text would.
    if (appendUtf8(withoutMark, nullptr)) {
        std::wstring entry;
        forEachEntry(withoutMark, [&](std::string_view bytes) {
            entry.clear();
            appendUtf8(bytes, &entry);
            offerEntry(entry);
        });
        return;
    }
    forEachEntry(std::wstring_view(platform::fromAnsi(body)), offerEntry);
}

} // namespace snipfetch
