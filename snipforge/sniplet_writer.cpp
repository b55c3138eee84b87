#include "snipforge/sniplet_writer.h"

#include "platform/code_page.h"

#include <utility>
#include <vector>

namespace snipforge {

namespace {

using Reason = SnipletRefusal::Reason;

// The 1-based number of the first line of text that is exactly "---", or 0.
std::size_t dashLineIn(std::wstring_view text) {
    std::size_t line = 1;
    std::size_t start = 0;
    while (true) {
        const auto end = text.find_first_of(L"\r\n", start);
        if (text.substr(start, end == std::wstring_view::npos ? end : end - start) == L"---") {
            return line;
        }
        if (end == std::wstring_view::npos) {
            return 0;
        }
        start = end + (text.substr(end, 2) == L"\r\n" ? 2 : 1);
        ++line;
    }
}

} // namespace

std::wstring_view fieldCaption(SnipletField field) {
    switch (field) {
    case SnipletField::CodeName:
        return L"Code Name";
    case SnipletField::Author:
        return L"Author";
    case SnipletField::AboutCode:
        return L"About Code";
    case SnipletField::Code16:
        return L"The Code, 16 bit version";
    case SnipletField::Code32:
        return L"The Code, 32 bit version";
    case SnipletField::Module16:
        return L"For Module, 16 bit version";
    case SnipletField::Module32:
        return L"For Module, 32 bit version";
    }
    return {};
}

std::wstring_view textName(SnipletField field) {
    switch (field) {
    case SnipletField::Code16:
        return L"16-bit code";
    case SnipletField::Code32:
        return L"32-bit code";
    case SnipletField::Module16:
        return L"16-bit module text";
    case SnipletField::Module32:
        return L"32-bit module text";
    default:
        return fieldCaption(field);
    }
}

std::optional<SnipletRefusal> findDashLine(const Sniplet& sniplet) {
    const std::pair<const std::wstring&, SnipletField> blocks[] = {
        {sniplet.code[0], SnipletField::Code16},
        {sniplet.code[1], SnipletField::Code32},
        {sniplet.moduleText[0], SnipletField::Module16},
        {sniplet.moduleText[1], SnipletField::Module32},
    };
    for (const auto& [text, field] : blocks) {
        if (const auto line = dashLineIn(text)) {
            return SnipletRefusal{Reason::DashLine, field, line};
        }
    }
    return std::nullopt;
}

EncodedSniplet encodeSniplet(const Sniplet& sniplet) {
    // Each item is one line write: the text unchanged (blocks keep their own line
    // breaks), then CR LF. Constant lines belong to no field.
    const std::vector<std::pair<std::wstring_view, std::optional<SnipletField>>> items = {
        {L"Sniplet File", std::nullopt},
        {sniplet.name, SnipletField::CodeName},
        {sniplet.author, SnipletField::Author},
        {sniplet.description, SnipletField::AboutCode},
        {sniplet.code[0], SnipletField::Code16},
        {L"---", std::nullopt},
        {sniplet.code[1], SnipletField::Code32},
        {L"---", std::nullopt},
        {sniplet.moduleText[0], SnipletField::Module16},
        {L"---", std::nullopt},
        {sniplet.moduleText[1], SnipletField::Module32},
        {L"---", std::nullopt},
    };
    const auto dashLine = findDashLine(sniplet);

    EncodedSniplet result;
    for (const auto& [text, field] : items) {
        if (field && *field <= SnipletField::AboutCode &&
            text.find_first_of(L"\r\n") != std::wstring_view::npos) {
            return EncodedSniplet{{}, SnipletRefusal{Reason::LineBreak, *field}};
        }
        if (dashLine && field == dashLine->field) {
            return EncodedSniplet{{}, dashLine};
        }
        auto converted = platform::toAnsi(text);
        if (!converted) {
            return EncodedSniplet{{}, SnipletRefusal{Reason::Unconvertible, *field}};
        }
        result.bytes += *converted;
        result.bytes += "\r\n";
    }
    return result;
}

} // namespace snipforge
