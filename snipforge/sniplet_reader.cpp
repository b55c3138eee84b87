#include "snipforge/sniplet_reader.h"
#include "platform/decimal_text.h"

#include "platform/code_page.h"

#include <array>
#include <vector>

namespace snipforge {

namespace {

struct Lines {
    std::vector<std::string_view> lines;
    bool lastEndsInBreak = true; // false: the last line runs to the end of the file
};

Lines splitAtCrLf(std::string_view bytes) {
    Lines result;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const auto end = bytes.find("\r\n", start);
        if (end == std::string_view::npos) {
            result.lines.push_back(bytes.substr(start));
            result.lastEndsInBreak = false;
            break;
        }
        result.lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return result;
}

const std::wstring dashes = L"\"---\"";

SnipletReading refuse(std::wstring reason) {
    return SnipletReading{std::nullopt, std::move(reason)};
}

std::wstring unreadableLine(std::size_t index) {
    return L"Line " + platform::decimalText(index + 1) +
           L" holds bytes that are not text of this system's code page.";
}

} // namespace

SnipletReading decodeSniplet(std::string_view bytes) {
    if (bytes.size() > largestSnipletFile) {
        return refuse(L"The file is larger than 1 MiB, which no sniplet is.");
    }
    const auto [lines, lastEndsInBreak] = splitAtCrLf(bytes);
    if (lines.empty() || lines[0] != "Sniplet File") {
        return refuse(L"Line 1 is not \"Sniplet File\": this is not a sniplet file.");
    }
    if (lines.size() < 4) {
        return refuse(L"The file ends before line 4, the description.");
    }

    Sniplet sniplet;
    std::wstring* const oneLineFields[] = {&sniplet.name, &sniplet.author, &sniplet.description};
    for (std::size_t index = 1; index <= 3; ++index) {
        auto text = platform::fromAnsiExactly(lines[index]);
        if (!text) {
            return refuse(unreadableLine(index));
        }
        *oneLineFields[index - 1] = std::move(*text);
    }

    const std::array<std::pair<std::wstring*, SnipletField>, 4> blocks = {{
        {&sniplet.code[0], SnipletField::Code16},
        {&sniplet.code[1], SnipletField::Code32},
        {&sniplet.moduleText[0], SnipletField::Module16},
        {&sniplet.moduleText[1], SnipletField::Module32},
    }};
    std::size_t index = 4;
    for (const auto& [text, field] : blocks) {
        const std::size_t first = index;
        while (index < lines.size() && lines[index] != "---") {
            ++index;
        }
        if (index == lines.size()) {
            return refuse(L"The " + std::wstring(textName(field)) + L" has no " + dashes +
                          L" line after it.");
        }
        // The writer ends every text with a line break of its own, so even an
        // empty text has a line before its "---".
        if (index == first) {
            return refuse(L"The " + std::wstring(textName(field)) + L" has no line before its " +
                          dashes + L" line (line " + platform::decimalText(index + 1) + L").");
        }
        for (std::size_t at = first; at < index; ++at) {
            auto line = platform::fromAnsiExactly(lines[at]);
            if (!line) {
                return refuse(unreadableLine(at));
            }
            if (at > first) {
                *text += L"\r\n";
            }
            *text += *line;
        }
        ++index; // the "---" line
    }
    if (index < lines.size()) {
        return refuse(L"Text follows the last " + dashes + L" line, on line " +
                      platform::decimalText(index + 1) + L".");
    }
    if (!lastEndsInBreak) {
        return refuse(L"The last " + dashes + L" line has no line break after it.");
    }

    // Texts the writer refuses: a reader would split them otherwise.
    if (const auto refusal = encodeSniplet(sniplet).refusal) {
        using Reason = SnipletRefusal::Reason;
        const std::wstring name(textName(refusal->field));
        switch (refusal->reason) {
        case Reason::LineBreak:
            return refuse(L"The " + name + L" line holds a lone carriage return or line feed.");
        case Reason::DashLine:
            return refuse(L"The " + name + L" holds a line that is exactly " + dashes +
                          L" (its line " + platform::decimalText(refusal->line) +
                          L"), between a lone carriage return or line feed.");
        case Reason::Unconvertible:
            break; // every line has just been read from the code page
        }
        return refuse(L"The " + name + L" cannot be written back.");
    }
    return SnipletReading{std::move(sniplet), {}};
}

} // namespace snipforge
