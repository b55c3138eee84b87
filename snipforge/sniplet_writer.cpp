#include "snipforge/sniplet_writer.h"

#include "platform/code_page.h"

#include <utility>
#include <vector>

namespace snipforge {

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

    EncodedSniplet result;
    for (const auto& [text, field] : items) {
        auto converted = platform::toAnsi(text);
        if (!converted) {
            return EncodedSniplet{{}, field};
        }
        result.bytes += *converted;
        result.bytes += "\r\n";
    }
    return result;
}

} // namespace snipforge
