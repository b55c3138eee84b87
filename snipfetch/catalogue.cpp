#include "snipfetch/catalogue.h"

#include "platform/code_page.h"
#include "platform/file_names.h"
#include "snipfetch/utf8.h"

namespace snipfetch {

namespace {

constexpr std::string_view utf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::wstring_view entrySeparator = L"\r\n";

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
    if (text.empty()) {
        return entries;
    }
    std::size_t start = 0;
    for (;;) {
        const auto end = text.find(entrySeparator, start);
        const auto piece =
            text.substr(start, end == std::wstring_view::npos ? text.npos : end - start);
        entries.emplace_back(trimSpaces(piece));
        if (end == std::wstring_view::npos) {
            return entries;
        }
        start = end + entrySeparator.size();
    }
}

std::vector<std::wstring> catalogueNames(std::wstring_view text) {
    auto entries = splitCatalogue(text);
    std::erase_if(entries,
                  [](const std::wstring& name) { return !platform::isUsableFileName(name); });
    return entries;
}

} // namespace snipfetch
