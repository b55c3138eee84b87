#include "snipfetch/catalogue.h"

#include "platform/code_page.h"
#include "platform/file_names.h"
#include "platform/utf8.h"

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
    if (auto text = platform::decodeUtf8(withoutMark)) {
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

std::string catalogueAsUtf8(std::string body) {
    if (platform::appendUtf8(body, nullptr)) {
        return body;
    }
    return platform::encodeUtf8(platform::fromAnsi(body));
}

void forEachCatalogueName(std::string_view utf8,
                          const std::function<void(std::wstring_view name, std::size_t offset,
                                                   std::size_t length)>& take) {
    std::size_t start = 0;
    if (utf8.starts_with(utf8ByteOrderMark)) {
        start = utf8ByteOrderMark.size();
    }
    // CR and LF never occur inside a UTF-8 sequence, and the spaces trimmed are
    // single bytes: the entries split and trim in bytes as they would as text.
    std::wstring name;
    forEachEntry(utf8.substr(start), [&](std::string_view entry) {
        const auto first = entry.find_first_not_of(' ');
        if (first == entry.npos) {
            return;
        }
        const auto trimmed = entry.substr(first, entry.find_last_not_of(' ') - first + 1);
        name.clear();
        platform::appendUtf8(trimmed, &name);
        if (platform::isUsableFileName(name)) {
            take(name, static_cast<std::size_t>(trimmed.data() - utf8.data()), trimmed.size());
        }
    });
}

} // namespace snipfetch
